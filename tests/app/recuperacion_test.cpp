// The recovery copy against what breaks it: every byte of the file changed or
// cut, lengths in it grown past what the file holds, the copy of the previous
// version, a full disk (a failing device, and a small tmpfs when the test runs
// as root), and the lock of the recovery file as a dead, live, foreign or
// damaged window leaves it.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QtEndian>

#include "app/candado.h"
#include "app/recuperador.h"
#include "dispositivo_fallido.h"
#include "fixture.h"
#include "ventana_apoyo.h"
#include "workspace/lectura_acotada.h"
#include "workspace/recuperacion.h"

namespace {

class RecuperacionTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }
  void envio(int renglones) {
    for (int r = 1; r <= renglones; ++r)
      ws->vaspread1.setRowTexts(r, {Q("4500001234"), Q("123"), Q("07/12/2026"), Q(""), Q("0012"), QString::number(1000 + r)});
    ws->vaspread1.setBackColor(15, 1, 0xC0FFC0);
    ws->Text1[7] = Q("880.00");
  }
  QByteArray copia() { return recuperacion::bytes(*recuperacion::tomar(*ws)); }
  // A text as the file holds it (UTF-16, big-endian).
  static QByteArray utf16(const QString& t) {
    QByteArray b;
    for (QChar c : t) b.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return b;
  }
};

// The address space capped, while it lives, at what the process holds now
// and `mas` bytes more: an allocation of a length read from a file fails
// instead of being granted lazily. (AddressSanitizer refuses such sizes by itself.)
class TopeDeMemoria {
 public:
  explicit TopeDeMemoria(rlim_t mas) {
#if !defined(__SANITIZE_ADDRESS__)
    ::getrlimit(RLIMIT_AS, &antes_);
    QFile f(Q("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return;
    for (const QByteArray& l : f.readAll().split('\n'))
      if (l.startsWith("VmSize:")) {
        rlimit tope = antes_;
        tope.rlim_cur = static_cast<rlim_t>(l.mid(7).trimmed().split(' ').first().toLongLong()) * 1024 + mas;
        puesto_ = ::setrlimit(RLIMIT_AS, &tope) == 0;
      }
#else
    (void)mas;
#endif
  }
  ~TopeDeMemoria() {
    if (puesto_) ::setrlimit(RLIMIT_AS, &antes_);
  }

 private:
  rlimit antes_{};
  bool puesto_ = false;
};

TEST_F(RecuperacionTest, CadaByteCambiadoOCortadoSeRechazaSinLeerTrabajo) {
  envio(3);
  const QByteArray b = copia();
  ASSERT_NE(recuperacion::leerBytes(b).copia, nullptr);
  int aceptados = 0;
  for (qsizetype i = 0; i < b.size(); ++i)
    for (char cambio : {'\x01', '\x80', '\xFF'}) {
      QByteArray d = b;
      d[i] = static_cast<char>(d[i] ^ cambio);
      const recuperacion::Lectura l = recuperacion::leerBytes(d);
      aceptados += l.copia != nullptr;
      EXPECT_FALSE(l.falla.isEmpty()) << i;
    }
  EXPECT_EQ(aceptados, 0);
  for (qsizetype n = 0; n < b.size(); ++n) EXPECT_EQ(recuperacion::leerBytes(b.left(n)).copia, nullptr) << n;
  EXPECT_EQ(recuperacion::leerBytes(b + '\0').copia, nullptr);
  // An invoice changed inside the file is found by the checksum, not read.
  QByteArray factura = b;
  const qsizetype i = factura.indexOf(utf16(Q("880.00")));
  ASSERT_GT(i, 0);
  factura.replace(i, 12, utf16(Q("980.00")));
  EXPECT_EQ(recuperacion::leerBytes(factura).falla, Q("está dañado (su contenido no coincide con su suma de comprobación)"));
  EXPECT_EQ(recuperacion::crc32("123456789", 9), 0xCBF43926u);  // the check value of CRC-32
  // Another signature or version is no copy at all, before any checksum.
  const qsizetype version = b.indexOf(utf16(Q("GUARDAR"))) + 14;
  for (qsizetype i : {qsizetype(5), version + 3}) {
    QByteArray otra = b;
    otra[i] = static_cast<char>(otra[i] ^ '\x04');
    EXPECT_EQ(recuperacion::leerBytes(otra).falla, Q("no es una copia de trabajo de este programa")) << i;
  }
}

// A copy written by the previous version (no checksum) is read as before.
TEST_F(RecuperacionTest, LaCopiaDeLaVersionAnteriorSeLee) {
  const recuperacion::Lectura l = recuperacion::leerArchivo(Q(AVISO_TEST_DATA "/recuperacion/anterior.dat"));
  ASSERT_NE(l.copia, nullptr) << l.falla.toStdString();
  EXPECT_TRUE(l.copia->sinSuma);
  EXPECT_EQ(l.copia->renglones(), 6);
  EXPECT_EQ(l.copia->momento, QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
  EXPECT_EQ(l.copia->tablas[0]->text(15, 1), Q("C00000001"));
  // Written again, it is of this version, and reads the same.
  const recuperacion::Lectura otra = recuperacion::leerBytes(recuperacion::bytes(*l.copia));
  ASSERT_NE(otra.copia, nullptr);
  EXPECT_FALSE(otra.copia->sinSuma);
  EXPECT_EQ(otra.copia->tablas[0]->rowTexts(3), l.copia->tablas[0]->rowTexts(3));
}

// Each count the reader meets, made huge in a file whose checksum is right:
// refused at once, nothing of its size asked for.
TEST_F(RecuperacionTest, UnLargoDelArchivoNoPasaDeLoQueElArchivoPuedeTener) {
  QByteArray bytes;
  QBuffer d(&bytes);
  d.open(QIODevice::WriteOnly);
  QDataStream s(&d);
  s << quint32(0xFFFFFFF0) << Q("uno");
  d.close();
  d.open(QIODevice::ReadOnly);
  QStringList l{Q("antes")};
  {
    QByteArray buena;
    QDataStream w(&buena, QIODevice::WriteOnly);
    w << QStringList{Q("uno")};
    QDataStream r(buena);
    EXPECT_TRUE(acotada::leer(r, l));
    EXPECT_EQ(l, QStringList{Q("uno")});
    QDataStream corta(buena.left(buena.size() - 1));  // the last text cut short
    EXPECT_FALSE(acotada::leer(corta, l));
    EXPECT_TRUE(l.isEmpty());
  }
  EXPECT_FALSE(acotada::leer(s, l));
  EXPECT_TRUE(l.isEmpty());
  EXPECT_EQ(s.status(), QDataStream::ReadCorruptData);

  // Every small 32-bit value of a copy (a count, a length, or something else)
  // made huge; the checksum made right again.
  envio(2);
  const QByteArray b = copia();
  int cambiados = 0, rechazados = 0;
  TopeDeMemoria tope(qint64(1) << 30);
  for (qsizetype i = 0; i + 8 <= b.size(); ++i) {
    if (qFromBigEndian<quint32>(b.constData() + i) > 64) continue;
    QByteArray c = b;
    qToBigEndian(quint32(0xFFFFFFF0), c.data() + i);
    qToBigEndian(recuperacion::crc32(c.constData(), c.size() - 4), c.data() + c.size() - 4);
    recuperacion::Lectura l;
    EXPECT_NO_THROW(l = recuperacion::leerBytes(c)) << i;
    ++cambiados;
    rechazados += l.copia == nullptr;
  }
  EXPECT_GT(cambiados, 100);
  EXPECT_GT(rechazados, cambiados / 2);
}

TEST_F(RecuperacionTest, EnUnDiscoLlenoQuedaLaCopiaAnterior) {
  envio(2);
  const QString ruta = dir.filePath(Q("recuperacion.dat"));
  ASSERT_TRUE(recuperacion::escribirArchivo(ruta, *recuperacion::tomar(*ws)).ok);
  const QByteArray anterior = leer(ruta);
  envio(40);
  const auto c = recuperacion::tomar(*ws);
  const qint64 total = recuperacion::bytes(*c).size();
  for (qint64 limite : {qint64(0), qint64(1), total / 2, total - 1, ReemplazoFallido::kAlVaciar}) {
    ReemplazoFallido lleno(ruta, limite);
    const texto::Resultado r = recuperacion::escribirCon(lleno, *c);
    EXPECT_FALSE(r.ok) << limite;
    EXPECT_EQ(leer(ruta), anterior) << limite;
  }
  ReemplazoFallido justo(ruta, total);
  EXPECT_TRUE(recuperacion::escribirCon(justo, *c).ok);
  EXPECT_EQ(recuperacion::leer(ruta)->renglones(), 40);
  EXPECT_EQ(QDir(carpeta()).entryList(QDir::Files | QDir::Hidden), QStringList{Q("recuperacion.dat")});
}

// The window's copy on a real full disk: a tmpfs of 64 kB, which only root can mount.
TEST_F(RecuperacionTest, EnUnTmpfsLlenoLaVentanaLoDiceYGuardaLaCopiaAnterior) {
  if (::geteuid() != 0) GTEST_SKIP() << "montar un tmpfs pide ser root";
  QTemporaryDir punto;
  ASSERT_EQ(::mount("tmpfs", QFile::encodeName(punto.path()).constData(), "tmpfs", 0, "size=64k"), 0);
  struct Desmontar {
    QString p;
    ~Desmontar() { ::umount2(QFile::encodeName(p).constData(), MNT_DETACH); }
  } desmontar{punto.path()};
  RelojFijo relojCopia(QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
  ScriptedPrompter p;
  Workspace w(punto.path(), p, relojCopia);
  w.sinGuardar = true;
  w.vaspread1.setRowTexts(1, {Q("4500001234"), Q("123")});
  QStringList avisos;
  {
    Recuperador r(w);
    ASSERT_TRUE(r.activo()) << r.apagado().toStdString();
    QObject::connect(&r, &Recuperador::aviso, [&](const QString& t) { avisos.append(t); });
    r.escribirYa();
    const QByteArray anterior = leer(r.ruta());
    ASSERT_FALSE(anterior.isEmpty());
    {
      QFile relleno(punto.path() + Q("/relleno"));
      ASSERT_TRUE(relleno.open(QIODevice::WriteOnly));
      const QByteArray bloque(4096, 'x');
      while (relleno.write(bloque) == bloque.size() && relleno.flush()) {
      }
    }
    for (int f = 2; f <= 400; ++f) w.vaspread1.setRowTexts(f, {Q("4500001234"), Q("123"), QString(40, QLatin1Char('z'))});
    r.escribirYa();
    r.escribirYa();  // said once
    EXPECT_EQ(leer(r.ruta()), anterior);
    QFile::remove(punto.path() + Q("/relleno"));
    r.escribirYa();
    EXPECT_EQ(recuperacion::leer(r.ruta())->renglones(), 400);
  }
  ASSERT_EQ(avisos.size(), 2) << avisos.join(Q(" / ")).toStdString();
  EXPECT_TRUE(avisos[0].startsWith(Q("No se puede guardar la copia de recuperación ("))) << avisos[0].toStdString();
  EXPECT_TRUE(avisos[0].endsWith(Q("): el trabajo sin guardar ya no se podrá recuperar.")));
  EXPECT_EQ(avisos[1], Q("La copia de recuperación se guarda de nuevo: el trabajo sin guardar se podrá recuperar."));
}

TEST_F(RecuperacionTest, ElCandadoSegunLaVentanaQueNombra) {
  const QString ruta = dir.filePath(Q("recuperacion.lock"));
  const QDateTime ahora = reloj.ahora();
  const QString yo = Candado::programaDe(Candado::pidPropio()), host = Candado::hostPropio();
  const QString ajena = Q("Otra ventana del programa guarda su trabajo para recuperarlo; esta no lo guarda.");
  const struct {
    const char* caso;
    std::function<void()> poner;
    QString porque;  // empty: taken
  } casos[] = {
      {"ninguno", [] {}, {}},
      {"vacío (una caída al crearlo)", [&] { escribir(ruta, {}); }, {}},
      {"bytes al azar", [&] { escribir(ruta, QByteArray("\x93\x00\xff\nzz\n\x01", 8)); }, {}},
      {"un proceso muerto", [&] { escribir(ruta, Candado::contenido(99999999, yo, host, ahora)); }, {}},
      {"un proceso vivo de otro programa", [&] { escribir(ruta, Candado::contenido(1, yo, host, ahora)); }, {}},
      {"este programa, vivo", [&] { escribir(ruta, Candado::contenido(Candado::pidPropio(), yo, host, ahora.addDays(-3))); }, ajena},
      {"otro host, hace 9 minutos", [&] { escribir(ruta, Candado::contenido(4242, yo, Q("otro-host"), ahora.addSecs(-540))); }, ajena},
      {"otro host, hace 11 minutos", [&] { escribir(ruta, Candado::contenido(4242, yo, Q("otro-host"), ahora.addSecs(-660))); }, {}},
      {"una carpeta vacía", [&] { QDir().mkpath(ruta); }, {}},
      {"una carpeta con algo", [&] { QDir().mkpath(ruta + Q("/algo")); },
       Q("En la carpeta del programa hay una carpeta llamada recuperacion.lock que no se puede quitar: el trabajo sin "
         "guardar no se podrá recuperar.")},
      {"una tubería", [&] { ::mkfifo(QFile::encodeName(ruta).constData(), 0644); }, {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    QDir(ruta).removeRecursively();
    QFile::remove(ruta);
    c.poner();
    {
      Candado k(ruta, reloj);
      EXPECT_EQ(k.tomar(), c.porque.isEmpty());
      EXPECT_EQ(k.porque(), c.porque);
      if (k.tomado()) {
        QByteArray b;
        ASSERT_TRUE(texto::leerBytes(ruta, b).ok);
        EXPECT_EQ(b, Candado::contenido(Candado::pidPropio(), yo, host, ahora));
        // A second window of this program on the folder finds it held.
        Candado otra(ruta, reloj);
        EXPECT_FALSE(otra.tomar());
        EXPECT_EQ(otra.porque(), ajena);
      }
    }
    // Let go, it is gone; a lock held by another stays.
    EXPECT_EQ(QFileInfo::exists(ruta), !c.porque.isEmpty());
  }
}

}  // namespace
