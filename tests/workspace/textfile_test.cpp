#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fixture.h"
#include "workspace/textfile.h"

TEST(TextFile, Windows1252BothWays) {
  const QByteArray todos = [] {
    QByteArray b;
    for (int i = 0; i < 256; ++i) b.append(static_cast<char>(i));
    return b;
  }();
  EXPECT_EQ(texto::a1252(texto::desde1252(todos)), todos);
  EXPECT_EQ(texto::desde1252(QByteArray("\x80\xd1\xe9")), Q("€Ñé"));
  EXPECT_EQ(texto::a1252(Q("Ω")), QByteArray("?"));
}

TEST(TextFile, LinesEndInCrLfLfOrCr) {
  EXPECT_EQ(texto::partirLineas(QStringLiteral("a\r\nb\nc\rd")),
            (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
  EXPECT_EQ(texto::partirLineas(QStringLiteral("a\r\n\r\n")), (QStringList{QStringLiteral("a"), QString()}));
  EXPECT_TRUE(texto::partirLineas(QString()).isEmpty());
  EXPECT_EQ(texto::unirLineas({QStringLiteral("a"), QString()}), QByteArray("a\r\n\r\n"));
}

TEST(TextFile, MissingFilesAndFolders) {
  QTemporaryDir dir;
  EXPECT_FALSE(texto::escribirLineas(dir.filePath(QStringLiteral("no/hay/a.txt")), {QStringLiteral("x")}).ok);
  QByteArray b;
  EXPECT_EQ(texto::leerBytes(dir.filePath(QStringLiteral("falta.txt")), b).numero, 53);
}

#include <sys/stat.h>

// What a writer may replace: a path that names nothing yet or a regular file.
// A pipe or a device stays as it is and the write says why; a folder refuses
// the write by itself.
TEST(TextFile, WritersReplaceOnlyRegularFiles) {
  QTemporaryDir dir;
  const auto ruta = [&dir](const char* n) { return dir.filePath(QString::fromLatin1(n)); };
  ASSERT_EQ(::mkfifo(QFile::encodeName(ruta("tubo")).constData(), 0644), 0);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("carpeta")));
  QFile(ruta("archivo")).open(QIODevice::WriteOnly);
  QFile::link(QStringLiteral("/dev/null"), ruta("enlace_dispositivo"));
  const struct {
    const char* nombre;
    bool escribe;
    const char* dice;
  } casos[] = {
      {"nuevo", true, ""},
      {"archivo", true, ""},
      {"tubo", false, "es una tubería (FIFO)"},
      {"enlace_dispositivo", false, "es un dispositivo"},
      {"carpeta", false, ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    const texto::Resultado r = texto::escribirArchivo(ruta(c.nombre), QByteArray("x\r\n"));
    EXPECT_EQ(r.ok, c.escribe);
    EXPECT_EQ(texto::anexar(ruta(c.nombre), QByteArray("y\r\n")).ok, c.escribe) << "the log's append";
    EXPECT_EQ(texto::destinoValido(ruta(c.nombre)).ok, c.escribe || QString::fromLatin1(c.nombre) == QStringLiteral("carpeta"));
    if (*c.dice) {
      EXPECT_EQ(r.numero, 75);
      EXPECT_TRUE(r.descripcion.endsWith(QString::fromUtf8(c.dice))) << r.descripcion.toStdString();
    }
  }
  struct stat st;
  ASSERT_EQ(::lstat(QFile::encodeName(ruta("tubo")).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(::lstat(QFile::encodeName(ruta("enlace_dispositivo")).constData(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

// One file under two paths: the same inode, or the same place where nothing is yet.
TEST(TextFile, SameFileByInodeOrByPlace) {
  QTemporaryDir dir;
  const auto ruta = [&dir](const char* n) { return dir.filePath(QString::fromLatin1(n)); };
  QFile(ruta("a")).open(QIODevice::WriteOnly);
  QFile(ruta("b")).open(QIODevice::WriteOnly);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
  ASSERT_EQ(::link(QFile::encodeName(ruta("a")).constData(), QFile::encodeName(ruta("duro")).constData()), 0);
  QFile::link(ruta("a"), ruta("blando"));
  const struct {
    const char *x, *y;
    bool mismo;
  } casos[] = {
      {"a", "a", true},          {"a", "sub/../a", true}, {"a", "duro", true},      {"a", "blando", true},
      {"a", "b", false},         {"a", "nuevo", false},   {"nuevo", "sub/../nuevo", true},
      {"nuevo", "otro", false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.x) + " " + c.y);
    EXPECT_EQ(texto::mismoArchivo(ruta(c.x), ruta(c.y)), c.mismo);
  }
}
