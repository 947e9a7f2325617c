// The files the send keeps in the program folder (servidores.txt and
// enviados/historial.txt) and the remote name made from its pattern.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "subida/historial_envios.h"
#include "subida/servidores.h"
#include "subida/subida.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

QByteArray leer(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribir(const QString& ruta, const QByteArray& bytes) {
  QFile f(ruta);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

TEST(NombreRemoto, CadaMarcaSeReemplaza) {
  const QDateTime cuando(QDate(2026, 12, 7), QTime(9, 5, 3));
  const struct {
    const char* patron;
    const char* proveedor;
    const char* nombre;
  } casos[] = {
      {"{proveedor}_{aaaammdd}_{hhmmss}.txt", "5678", "5678_20261207_090503.txt"},
      {"", "5678", "5678_20261207_090503.txt"},  // no pattern: the default one
      {"ASN{aaaa}{mm}{dd}.txt", "5678", "ASN20261207.txt"},
      {"{proveedor}.txt", " 42 ", "42.txt"},
      {"../{proveedor}/x.txt", "5678", ".._5678_x.txt"},  // never out of the remote folder
      {"a\\b.txt", "1", "a_b.txt"},
      {"{desconocida}.txt", "1", "{desconocida}.txt"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(nombreRemoto(Q(c.patron), Q(c.proveedor), cuando), Q(c.nombre)) << c.patron;
}

TEST(ServidoresConocidos, SeLeenSeAceptanYSeReemplazanPorServidor) {
  QTemporaryDir dir;
  Conexion sftp;
  sftp.servidor = QStringLiteral("Sftp.Cadena.mx");
  Conexion ftps = sftp;
  ftps.protocolo = Protocolo::FtpsExplicito;
  EXPECT_TRUE(leerServidores(dir.path()).isEmpty());
  EXPECT_FALSE(servidorConocido(dir.path(), sftp).has_value());

  ServidorConocido s{QStringLiteral("sftp"), QStringLiteral("sftp.cadena.mx"), 22, QStringLiteral("ssh-ed25519"),
                     QStringLiteral("SHA256:uno"), QDate(2026, 12, 7)};
  ASSERT_TRUE(aceptarServidor(dir.path(), s));
  s.protocolo = QStringLiteral("ftps");
  s.puerto = 21;
  s.huella = QStringLiteral("SHA256:dos");
  ASSERT_TRUE(aceptarServidor(dir.path(), s));
  // The same server again: its line is replaced, the others stay.
  s.huella = QStringLiteral("SHA256:tres");
  s.aceptado = QDate(2026, 12, 8);
  ASSERT_TRUE(aceptarServidor(dir.path(), s));
  EXPECT_EQ(leer(rutaServidores(dir.path())),
            QByteArray("sftp\tsftp.cadena.mx\t22\tssh-ed25519\tSHA256:uno\t07/12/2026\r\n"
                       "ftps\tsftp.cadena.mx\t21\tssh-ed25519\tSHA256:tres\t08/12/2026\r\n"));
  EXPECT_EQ(servidorConocido(dir.path(), sftp)->huella, Q("SHA256:uno"));  // host names in any case
  EXPECT_EQ(servidorConocido(dir.path(), ftps)->huella, Q("SHA256:tres"));
  ftps.puerto = 2121;
  EXPECT_FALSE(servidorConocido(dir.path(), ftps).has_value());
}

TEST(ServidoresConocidos, UnaLineaIlegibleNoValeYUnaListaQueNoEsArchivoNoSeReemplaza) {
  QTemporaryDir dir;
  escribir(rutaServidores(dir.path()), "basura\r\nsftp\th\tx\tt\tSHA256:a\t01/01/2026\r\n"
                                       "sftp\th\t22\tt\tMD5:a\t01/01/2026\r\nsftp\th\t22\tt\tSHA256:b\r\n");
  const QList<ServidorConocido> l = leerServidores(dir.path());
  ASSERT_EQ(l.size(), 1);
  EXPECT_EQ(l[0].huella, Q("SHA256:b"));
  EXPECT_FALSE(l[0].aceptado.isValid());

  QTemporaryDir otra;
  QDir().mkpath(rutaServidores(otra.path()));
  QString error;
  EXPECT_FALSE(aceptarServidor(otra.path(), ServidorConocido{}, &error));
  EXPECT_TRUE(error.startsWith(Q("No se pudo leer la lista de servidores conocidos "))) << error.toStdString();
  EXPECT_TRUE(leerServidores(otra.path()).isEmpty());
}

TEST(HistorialEnvios, UnaLineaPorEnvioYElEnvioAnteriorDelMismoContenidoAlMismoServidor) {
  QTemporaryDir dir;
  const QString sftp = QStringLiteral("sftp://h:22"), ftps = QStringLiteral("ftps://h:21");
  const QDateTime t(QDate(2026, 12, 7), QTime(10, 30, 0));
  const EnvioRegistrado envios[] = {
      {t, QStringLiteral("a.txt"), QStringLiteral("aaa"), sftp, QStringLiteral("r1.txt"), 10, Q("No respondió\ten\r\nfin")},
      {t.addSecs(60), QStringLiteral("a.txt"), QStringLiteral("aaa"), sftp, QStringLiteral("r2.txt"), 10, QStringLiteral("enviado")},
      {t.addSecs(120), QStringLiteral("a.txt"), QStringLiteral("aaa"), sftp, QStringLiteral("r3.txt"), 10, QStringLiteral("enviado")},
      {t.addSecs(180), QStringLiteral("b.txt"), QStringLiteral("bbb"), ftps, QStringLiteral("r4.txt"), 20, Q("Envío cancelado")},
  };
  for (const EnvioRegistrado& e : envios) ASSERT_TRUE(anotarEnvio(dir.path(), e));
  const QByteArray bytes = leer(rutaHistorialEnvios(dir.path()));
  EXPECT_TRUE(bytes.startsWith("07/12/2026 10:30:00\ta.txt\taaa\tsftp://h:22\tr1.txt\t10\tNo respondi\xf3 en  / fin\r\n"))
      << bytes.toStdString();
  const QList<EnvioRegistrado> l = leerHistorialEnvios(dir.path());
  ASSERT_EQ(l.size(), 4);
  EXPECT_EQ(l[3].resultado, Q("Envío cancelado"));
  EXPECT_FALSE(l[3].enviado());

  // The last good send of that content to that server.
  EXPECT_EQ(envioAnterior(dir.path(), QStringLiteral("aaa"), sftp)->nombreRemoto, Q("r3.txt"));
  EXPECT_FALSE(envioAnterior(dir.path(), QStringLiteral("aaa"), ftps).has_value());
  EXPECT_FALSE(envioAnterior(dir.path(), QStringLiteral("bbb"), ftps).has_value());  // it failed
}

TEST(HistorialEnvios, SinCarpetaPosibleSeDiceYNadaSeLee) {
  QTemporaryDir dir;
  escribir(dir.filePath(QStringLiteral("enviados")), "un archivo donde iría la carpeta");
  QString error;
  EXPECT_FALSE(anotarEnvio(dir.path(), EnvioRegistrado{QDateTime::currentDateTime()}, &error));
  EXPECT_TRUE(error.startsWith(Q("No se pudo crear la carpeta "))) << error.toStdString();
  EXPECT_TRUE(leerHistorialEnvios(dir.path()).isEmpty());
  EXPECT_EQ(sha256DeArchivo(dir.path()), QString());  // a folder is no notice
  EXPECT_EQ(sha256DeArchivo(dir.filePath(QStringLiteral("no-existe"))), QString());
  escribir(dir.filePath(QStringLiteral("a.txt")), "abc");
  EXPECT_EQ(sha256DeArchivo(dir.filePath(QStringLiteral("a.txt"))),
            Q("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
}

TEST(ConexionValor, ElPuertoYLaEsperaDeCadaProtocolo) {
  const struct {
    Protocolo p;
    int puerto, usado;
    const char* nombre;
  } casos[] = {{Protocolo::Sftp, 0, 22, "sftp"},
               {Protocolo::FtpsExplicito, 0, 21, "ftps"},
               {Protocolo::FtpsImplicito, 0, 990, "ftps-implicito"},
               {Protocolo::Ftp, 0, 21, "ftp"},
               {Protocolo::Sftp, 2222, 2222, "sftp"}};
  for (const auto& c : casos) {
    Conexion x;
    x.protocolo = c.p;
    x.puerto = c.puerto;
    x.servidor = QStringLiteral("h");
    EXPECT_EQ(puertoDe(x), c.usado);
    EXPECT_EQ(nombreProtocolo(c.p), Q(c.nombre));
    EXPECT_EQ(direccionServidor(x), Q(c.nombre) + QStringLiteral("://h:%1").arg(c.usado));
  }
  Conexion x;
  EXPECT_EQ(esperaDe(x), 60);
  x.espera = 5;
  EXPECT_EQ(esperaDe(x), 5);
  x.servidor = QStringLiteral("::1");
  EXPECT_EQ(direccionServidor(x), Q("sftp://[::1]:22"));
}

}  // namespace
