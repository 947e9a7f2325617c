// The credential store as it is: run inside a private D-Bus session with a
// Secret Service (AVISO_ALMACEN=1), and with no session at all
// (AVISO_ALMACEN=0), where nothing is remembered and nothing waits.
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include "client/conexion_ajustes.h"
#include "client/conexion_ftp.h"
#include "fixture.h"
#include "startup/startup.h"
#include "subida/claves.h"

namespace {

bool hayAlmacen() { return qgetenv("AVISO_ALMACEN") == "1"; }

// What the Secret Service itself holds under an account, asked with its own
// tool: proof that the password went there and not to a file.
QString enElServicio(const QString& cuenta) {
  QProcess p;
  p.start(Q("secret-tool"), {Q("lookup"), Q("user"), cuenta, Q("server"), Q("AVISO DE VORARIDO")});
  if (!p.waitForFinished(30000)) return Q("(secret-tool no terminó)");
  return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(Almacen, GuardaLeeYBorraEnElServicioDelSistema) {
  ASSERT_EQ(almacenDisponible(), hayAlmacen());
  const struct {
    const char* cuenta;
    const char* clave;
  } casos[] = {{"servidor:prov01@sftp.ejemplo", "s3cr3t ñandú \"entre comillas\""},
               {"proxy:fw@proxy.local", "otra"},
               {"servidor:@", "x"}};
  for (const auto& c : casos) {
    QString error;
    EXPECT_EQ(guardarClave(Q(c.cuenta), Q(c.clave), &error), hayAlmacen()) << c.cuenta;
    if (!hayAlmacen()) {
      EXPECT_TRUE(error.startsWith(Q("No se pudo guardar la contraseña en el almacén de contraseñas del sistema")))
          << error.toStdString();
      EXPECT_FALSE(leerClave(Q(c.cuenta)).has_value());
      continue;
    }
    EXPECT_EQ(leerClave(Q(c.cuenta)).value_or(Q("(nada)")), Q(c.clave));
    EXPECT_EQ(enElServicio(Q(c.cuenta)), Q(c.clave));
    // A new password replaces the old one; removed, none is left.
    EXPECT_TRUE(guardarClave(Q(c.cuenta), Q("nueva")));
    EXPECT_EQ(leerClave(Q(c.cuenta)).value_or(Q("(nada)")), Q("nueva"));
    EXPECT_TRUE(borrarClave(Q(c.cuenta)));
    EXPECT_FALSE(leerClave(Q(c.cuenta)).has_value());
    EXPECT_TRUE(enElServicio(Q(c.cuenta)).isEmpty());
    EXPECT_TRUE(borrarClave(Q(c.cuenta)));
  }
}

class AlmacenTest : public WorkspaceTest {};

// An older info.cfg's passwords go into the store at start (or are dropped,
// said once); the dialog then shows them and follows its boxes.
TEST_F(AlmacenTest, LasClavesViejasPasanAlAlmacenYElDialogoLasSigue) {
  Form_Load(*ws);
  const std::pair<int, const char*> filas[] = {{3, "prov01"}, {4, "secreto-uno"}, {5, "0"}, {6, "1"},
                                               {7, "SOCKS5"}, {8, "proxy.local"}, {9, "1080"}, {10, "fw"},
                                               {11, "secreto-dos"}};
  for (const auto& [fila, texto] : filas) ws->vaSpread2.setText(2, fila, Q(texto));
  ASSERT_TRUE(ws->vaSpread2.saveSheet(dir.filePath(Q("info.cfg"))).ok);
  reiniciar();
  Form_Load(*ws);
  EXPECT_EQ(prompter.mensajes.size(), hayAlmacen() ? 0u : 1u);
  for (const char* archivo : {"info.cfg", "dudizod.ini"})
    EXPECT_FALSE(leer(dir.filePath(Q(archivo))).contains("secreto")) << archivo;
  Conexion c = conexionDe(*ws);
  EXPECT_EQ(c.recordar, hayAlmacen());
  EXPECT_EQ(leerClave(cuentaServidor(c)).value_or(QString()), hayAlmacen() ? Q("secreto-uno") : QString());
  EXPECT_EQ(leerClave(cuentaProxy(c)).value_or(QString()), hayAlmacen() ? Q("secreto-dos") : QString());

  ConexionFtpModelo f(*ws);
  f.Form_Load();
  EXPECT_EQ(f.almacen, hayAlmacen());
  EXPECT_EQ(f.nota(), hayAlmacen() ? QString() : ConexionFtpModelo::kSinAlmacen);
  EXPECT_EQ(f.clave, hayAlmacen() ? Q("secreto-uno") : QString());
  EXPECT_EQ(f.proxyClave, hayAlmacen() ? Q("secreto-dos") : QString());

  // Another user: the old account goes, the new one keeps the password typed.
  f.usuario = Q("prov02");
  f.clave = Q("secreto-tres");
  f.recordar = true;
  prompter.limpiar();
  EXPECT_EQ(f.aceptar_Click(), Resultado::Hecho);
  EXPECT_TRUE(prompter.mensajes.empty());
  const Conexion nueva = conexionDe(*ws);
  EXPECT_EQ(nueva.recordar, hayAlmacen());
  EXPECT_FALSE(leerClave(cuentaServidor(c)).has_value());
  EXPECT_EQ(leerClave(cuentaServidor(nueva)).value_or(QString()), hayAlmacen() ? Q("secreto-tres") : QString());

  // Not to be remembered: the store forgets both.
  ConexionFtpModelo g(*ws);
  g.Form_Load();
  g.recordar = false;
  EXPECT_EQ(g.aceptar_Click(), Resultado::Hecho);
  EXPECT_FALSE(leerClave(cuentaServidor(nueva)).has_value());
  EXPECT_FALSE(leerClave(cuentaProxy(nueva)).has_value());
  EXPECT_FALSE(conexionDe(*ws).recordar);
  for (const char* archivo : {"info.cfg", "dudizod.ini"})
    EXPECT_FALSE(leer(dir.filePath(Q(archivo))).contains("secreto")) << archivo;
}

TEST_F(AlmacenTest, LaClaveDeUnArchivo) {
  QDir(dir.path()).mkdir(Q("carpeta"));
  const struct {
    const char* nombre;
    QByteArray bytes;  // empty: the file is not written
    const char* clave;
    const char* error;
  } casos[] = {
      {"buena", "s3cr3t\r\nsegundo renglón\r\n", "s3cr3t", nullptr},
      {"sin_fin", "ñandú", "ñandú", nullptr},
      {"vacia", "\n", nullptr, "el primer renglón está vacío."},
      {"binaria", "\xff\xfe", nullptr, "el texto no es UTF-8."},
      {"grande", QByteArray(5000, 'x'), nullptr, "el archivo es demasiado grande para ser una contraseña."},
      {"falta", {}, nullptr, "el archivo no existe."},
      {"carpeta", {}, nullptr, "no es un archivo común."},
  };
  for (const auto& c : casos) {
    const QString ruta = dir.filePath(Q(c.nombre));
    if (!c.bytes.isEmpty()) escribir(ruta, c.bytes);
    QString error;
    const std::optional<QString> clave = claveDeArchivo(ruta, &error);
    EXPECT_EQ(clave.value_or(Q("(nada)")), c.clave ? Q(c.clave) : Q("(nada)")) << c.nombre;
    EXPECT_EQ(error, c.error ? Q("No se pudo leer la contraseña de ") + ruta + Q(": ") + Q(c.error) : QString())
        << c.nombre;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
