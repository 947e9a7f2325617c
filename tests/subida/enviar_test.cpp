// aviso-lote enviar from end to end: the program itself, a program folder set
// up with aviso-lote cliente and conexion, real servers on 127.0.0.1. What it
// prints and its exit status are compared with the port, the fingerprint and
// the hour of the run put back as names.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "servidores.h"

using namespace servidores;

// Failures show the texts, not their bytes.
inline void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

class EnviarLote : public ::testing::Test {
 protected:
  // Runs aviso-lote with the program folder and the day of the golden cases.
  QString lote(const QStringList& args) {
    QProcess p;
    p.setWorkingDirectory(programa.path());
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));  // no credential store here
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(entorno);
    p.start(QStringLiteral(AVISO_LOTE),
            QStringList{QStringLiteral("--carpeta"), programa.path(), QStringLiteral("--hoy"), QStringLiteral("07/12/2026")} + args);
    p.waitForFinished(-1);
    QString salida = QString::fromUtf8(p.readAllStandardError()) + QStringLiteral("= %1\n").arg(p.exitCode());
    for (const auto& [de, a] : sustituir) salida.replace(de, a);
    salida.replace(QRegularExpression(QStringLiteral("_20261207_\\d{6}")), QStringLiteral("_20261207_HHMMSS"));
    salida.replace(QRegularExpression(QStringLiteral("a las \\d\\d:\\d\\d")), QStringLiteral("a las HH:MM"));
    return salida;
  }

  void preparar(const QString& protocolo, int puerto, const QString& huella) {
    sustituir = {{programa.path(), QStringLiteral("DIR")},
                 {QStringLiteral(":%1").arg(puerto), QStringLiteral(":PUERTO")},
                 {QStringLiteral("puerto %1").arg(puerto), QStringLiteral("puerto PUERTO")},
                 {huella, QStringLiteral("HUELLA")},
                 {remota.relativa(), QStringLiteral("REMOTA")}};
    ASSERT_EQ(lote({QStringLiteral("cliente"), QStringLiteral("--cliente"), QStringLiteral("1234"),
                    QStringLiteral("--proveedor"), QStringLiteral("5678"), QStringLiteral("--rfc"),
                    QStringLiteral("ABCD010101-AB1")}),
              Q("= 0\n"));
    ASSERT_EQ(lote({QStringLiteral("conexion"), QStringLiteral("--servidor"), QStringLiteral("127.0.0.1"),
                    QStringLiteral("--protocolo"), protocolo, QStringLiteral("--puerto"), QString::number(puerto),
                    QStringLiteral("--usuario"), kUsuario, QStringLiteral("--carpeta-remota"), remota.relativa(),
                    QStringLiteral("--espera"), QStringLiteral("20")}),
              Q("= 0\n"));
    QFile clave(programa.filePath(QStringLiteral("clave.txt")));
    clave.open(QIODevice::WriteOnly);
    clave.write(kClave.toUtf8() + "\r\n");
    clave.close();
    QFile::copy(QStringLiteral(AVISO_TEST_DATA "/batch/aviso_un_pedido.txt"), programa.filePath(QStringLiteral("aviso.txt")));
  }

  QString enviar(QStringList mas = {}) {
    return lote(QStringList{QStringLiteral("enviar"), QStringLiteral("aviso.txt"), QStringLiteral("--clave-archivo"),
                            QStringLiteral("clave.txt")} +
                mas);
  }

  QStringList remotos() const { return QDir(remota.ruta()).entryList(QDir::Files); }
  QStringList historial() const {
    QFile f(programa.filePath(QStringLiteral("enviados/historial.txt")));
    f.open(QIODevice::ReadOnly);
    return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  }

  QTemporaryDir programa;
  CarpetaRemota remota;
  std::vector<std::pair<QString, QString>> sustituir;
};

TEST_F(EnviarLote, PorSftpUnaVezConLaHuellaAceptadaYOtraSoloConReenviar) {
  ServidorSftp s;
  preparar(QStringLiteral("sftp"), s.puerto(), s.huella());

  EXPECT_EQ(enviar(), Q("Enviar: El servidor \"127.0.0.1\" no es conocido. La huella de su clave (ssh-ed25519) es "
                        "HUELLA. Compruébela con el administrador del servidor antes de aceptarla. No se envió nada. "
                        "Para aceptarla: --aceptar-huella HUELLA\n= 1\n"));
  EXPECT_EQ(enviar({QStringLiteral("--aceptar-huella"), s.huella()}),
            Q("Enviar: Aviso enviado a sftp://127.0.0.1:PUERTO como \"5678_20261207_HHMMSS.txt\" (321 bytes).\n= 0\n"));
  ASSERT_EQ(remotos().size(), 1);
  QFile llegado(QDir(remota.ruta()).filePath(remotos()[0])), local(programa.filePath(QStringLiteral("aviso.txt")));
  llegado.open(QIODevice::ReadOnly);
  local.open(QIODevice::ReadOnly);
  EXPECT_EQ(llegado.readAll(), local.readAll());

  EXPECT_EQ(enviar(), Q("Enviar: Este aviso ya se envió el 07/12/2026 a las HH:MM a sftp://127.0.0.1:PUERTO como "
                        "\"5678_20261207_HHMMSS.txt\". No se envió otra vez (--reenviar lo envía).\n= 1\n"));
  // The retailer took the file; sent again on purpose.
  QFile::remove(QDir(remota.ruta()).filePath(remotos()[0]));
  EXPECT_EQ(enviar({QStringLiteral("--reenviar")}),
            Q("Enviar: Aviso enviado a sftp://127.0.0.1:PUERTO como \"5678_20261207_HHMMSS.txt\" (321 bytes).\n= 0\n"));

  QFile mala(programa.filePath(QStringLiteral("clave.txt")));
  mala.open(QIODevice::WriteOnly);
  mala.write("no-es-esta\n");
  mala.close();
  EXPECT_EQ(enviar({QStringLiteral("--reenviar")}),
            Q("Enviar: El servidor rechazó el usuario \"avisoprueba\" o su contraseña. No se envió nada.\n= 1\n"));
  EXPECT_EQ(lote({QStringLiteral("enviar"), QStringLiteral("aviso.txt")}),
            Q("Enviar: No hay contraseña guardada para el usuario \"avisoprueba\" del servidor \"127.0.0.1\": dela en "
              "un archivo con --clave-archivo ARCHIVO.\n= 2\n"));

  // Every send, good or failed, is a line: refusals before any connection are not sends.
  const QStringList h = historial();
  ASSERT_EQ(h.size(), 4) << h.join(QLatin1Char('\n')).toStdString();
  const QStringList campos = h[1].split(QLatin1Char('\t'));
  ASSERT_EQ(campos.size(), 7);
  EXPECT_EQ(campos[1], programa.filePath(QStringLiteral("aviso.txt")));
  EXPECT_EQ(campos[2].size(), 64);
  EXPECT_EQ(campos[3], QStringLiteral("sftp://127.0.0.1:%1").arg(s.puerto()));
  EXPECT_EQ(campos[5], Q("321"));
  EXPECT_EQ(campos[6], Q("enviado"));
  EXPECT_TRUE(h[3].endsWith(Q("o su contraseña. No se envió nada."))) << h[3].toStdString();
  // No password in any file of the program folder.
  for (const QString& n : QDir(programa.path()).entryList(QDir::Files))
    if (n != QStringLiteral("clave.txt")) {
      QFile f(programa.filePath(n));
      f.open(QIODevice::ReadOnly);
      EXPECT_FALSE(f.readAll().contains(kClave.toUtf8())) << n.toStdString();
    }
}

TEST_F(EnviarLote, PorFtpsElCertificadoPropioSeAceptaPorSuHuella) {
  ServidorFtps s(false);
  preparar(QStringLiteral("ftps"), s.puerto(), s.huella());
  EXPECT_EQ(enviar(), Q("Enviar: El certificado del servidor \"127.0.0.1\" no es de confianza (lo firmó el "
                        "mismo servidor). Su huella es HUELLA. Acéptela solo si el administrador del servidor la "
                        "confirma. No se envió nada. Para aceptarla: --aceptar-huella HUELLA\n= 1\n"));
  EXPECT_EQ(enviar({QStringLiteral("--aceptar-huella"), s.huella()}),
            Q("Enviar: Aviso enviado a ftps://127.0.0.1:PUERTO como \"5678_20261207_HHMMSS.txt\" (321 bytes).\n= 0\n"));
  EXPECT_EQ(remotos().size(), 1);
}

TEST_F(EnviarLote, UnPuertoMudoEsUnaFallaNoUnRechazo) {
  PuertoMudo mudo;
  preparar(QStringLiteral("sftp"), mudo.puerto(), QStringLiteral("sin huella"));
  lote({QStringLiteral("conexion"), QStringLiteral("--espera"), QStringLiteral("1")});
  EXPECT_EQ(enviar(), Q("Enviar: El servidor \"127.0.0.1\" no respondió en 1 segundos.\n= 2\n"));
  EXPECT_EQ(historial().size(), 1);
}

}  // namespace
