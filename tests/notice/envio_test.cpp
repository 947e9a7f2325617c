// The window's send against a real sshd on 127.0.0.1: the password asked,
// the first contact's fingerprint, each answer of the user, the notice kept in
// enviados/ and arrived byte for byte, the history, a second send of the same
// content, Cancelar.
#include <QDir>
#include <QFile>

#include "client/conexion_ajustes.h"
#include "notice/envio_aviso.h"
#include "notice/output.h"
#include "servidores.h"
#include "shipment.h"
#include "subida/servidores.h"

namespace {

using namespace servidores;

class EnvioTest : public WorkspaceTest {
 protected:
  EnvioTest() {
    ejemplo(*ws);
    Conexion c;
    c.servidor = Q("127.0.0.1");
    c.puerto = sshd.puerto();
    c.usuario = kUsuario;
    c.carpeta = remota.relativa();
    c.espera = 20;
    c.proxyUsuario = Q("firewall");  // left from a proxy no longer used: its password is not asked
    ponerConexion(*ws, c);
  }
  QStringList remotos() const { return QDir(remota.ruta()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
  QStringList enviados() const { return QDir(ws->ruta(Q("enviados"))).entryList(QDir::Files, QDir::Name); }
  int lineasHistorial() const { return leerHistorialEnvios(carpeta()).size(); }

  ServidorSftp sshd;
  CarpetaRemota remota;
};

TEST_F(EnvioTest, EnviarPorSftpComoLoHariaElUsuario) {
  const QString primero = Q("45678_20261207_103000.txt");
  const QString segundo = Q("45678_20261207_103100.txt");
  const QString aceptar = Q("Es la primera conexión con el servidor 127.0.0.1:") + QString::number(sshd.puerto());
  const QString yaEnviado = Q("Este aviso ya se envió el 07/12/2026 a las 10:30 a 127.0.0.1 como ") + primero +
                            Q(". ¿Enviarlo otra vez?");
  struct Paso {
    const char* que;
    int minuto;                        // of 10:mm on the clock
    std::deque<QString> claves;        // typed when asked
    std::deque<Respuesta> respuestas;  // to the questions, in order
    qint64 cancelarEn;                 // Cancelar pressed once this many bytes went (-1: never)
    Resultado resultado;
    QStringList preguntas;             // the beginning of each message shown, in order
    QStringList remotos;               // the remote folder afterwards
    int historial;                     // lines of the history afterwards
  };
  const Paso pasos[] = {
      {"contraseña no dada", 30, {}, {}, -1, Resultado::Cancelado, {}, {}, 0},
      {"huella no aceptada", 30, {kClave}, {Respuesta::No}, -1, Resultado::Rechazado,
       {aceptar, Q("El servidor \"127.0.0.1\" no es conocido.")}, {}, 1},
      {"contraseña equivocada", 30, {Q("otra")}, {Respuesta::Si}, -1, Resultado::Rechazado,
       {aceptar, Q("El servidor rechazó el usuario \"avisoprueba\" o su contraseña.")}, {}, 2},
      {"envío bueno", 30, {kClave}, {Respuesta::Si}, -1, Resultado::Hecho,
       {aceptar, Q("El aviso se envió a 127.0.0.1 como ") + primero}, {primero}, 3},
      {"el mismo otra vez: no", 31, {}, {Respuesta::No}, -1, Resultado::Cancelado, {yaEnviado}, {primero}, 3},
      {"cancelado", 31, {kClave}, {Respuesta::Si}, 0, Resultado::Cancelado,
       {yaEnviado, Q("Envío cancelado: no quedó el archivo en el servidor.")}, {primero}, 4},
      {"el mismo otra vez: sí", 31, {kClave}, {Respuesta::Si}, -1, Resultado::Hecho,
       {yaEnviado, Q("El aviso se envió a 127.0.0.1 como ") + segundo}, {primero, segundo}, 5},
  };
  // A pattern that names no file of its own is refused before anything is written.
  for (const char* patron : {"HISTORIAL.txt", ".."}) {
    Conexion c = conexionDe(*ws);
    c.nombre = Q(patron);
    ponerConexion(*ws, c);
    prompter.limpiar();
    EXPECT_EQ(b_enviar_Click(*ws), Resultado::Rechazado) << patron;
    EXPECT_TRUE(prompter.ultimo().endsWith(Q("no sirve para el aviso: revise el nombre remoto en Configuración > "
                                             "Conexión FTP.")))
        << prompter.ultimo().toStdString();
    EXPECT_FALSE(QFile::exists(ws->ruta(Q("enviados"))));
  }
  Conexion c = conexionDe(*ws);
  c.nombre = Conexion{}.nombre;
  ponerConexion(*ws, c);
  for (const Paso& p : pasos) {
    SCOPED_TRACE(p.que);
    prompter.limpiar();
    prompter.claves = p.claves;
    prompter.clavesPedidas.clear();
    prompter.respuestas = p.respuestas;
    prompter.cancelarEn = p.cancelarEn;
    prompter.avances.clear();
    reloj.poner(QDateTime(QDate(2026, 12, 7), QTime(10, p.minuto, 0)));
    EXPECT_EQ(b_enviar_Click(*ws), p.resultado);
    ASSERT_EQ(prompter.textos().size(), p.preguntas.size()) << prompter.textos().join(Q("\n")).toStdString();
    for (int i = 0; i < p.preguntas.size(); ++i)
      EXPECT_TRUE(prompter.textos()[i].startsWith(p.preguntas[i])) << prompter.textos()[i].toStdString();
    EXPECT_EQ(remotos(), p.remotos);
    EXPECT_EQ(lineasHistorial(), p.historial);
    EXPECT_TRUE(prompter.respuestas.empty());
    EXPECT_TRUE(prompter.claves.empty());
    // The password is asked when something is to be sent, and only then.
    EXPECT_EQ(prompter.clavesPedidas,
              p.claves.empty() && !p.preguntas.isEmpty()
                  ? QStringList()
                  : QStringList{Q("Contraseña del usuario \"avisoprueba\" en 127.0.0.1:")});
  }
  // What arrived is the notice the file command writes, kept in enviados/ too.
  const QByteArray aviso = textoAviso(*ws);
  EXPECT_EQ(leer(QDir(remota.ruta()).filePath(primero)), aviso);
  EXPECT_EQ(leer(ws->ruta(Q("enviados/")) + primero), aviso);
  EXPECT_EQ(leer(ws->ruta(Q("enviados/")) + segundo), aviso);
  ASSERT_FALSE(prompter.avances.empty());
  EXPECT_EQ(prompter.avances.back().second, aviso.size());
  const QList<EnvioRegistrado> h = leerHistorialEnvios(carpeta());
  ASSERT_EQ(h.size(), 5);
  EXPECT_TRUE(h[2].enviado());
  EXPECT_EQ(h[2].nombreRemoto, primero);
  EXPECT_EQ(h[2].archivo, ws->ruta(Q("enviados/")) + primero);
  EXPECT_EQ(h[2].bytes, aviso.size());
  EXPECT_EQ(h[2].servidor, Q("sftp://127.0.0.1:") + QString::number(sshd.puerto()));
  EXPECT_FALSE(h[3].enviado());
  EXPECT_EQ(leerServidores(carpeta()).size(), 1);
  EXPECT_EQ(leerServidores(carpeta())[0].huella, sshd.huella());
  for (const char* archivo : {"info.cfg", "dudizod.ini", "enviados/historial.txt", "servidores.txt"})
    EXPECT_FALSE(leer(ws->ruta(Q(archivo))).contains(kClave.toUtf8())) << archivo;

  // The history as Archivo > "Historial de envíos" shows it: newest first.
  std::vector<EnvioRegistrado> lineas;
  prompter.alDialogo = [&lineas](DialogoModelo& m) {
    auto* h = dynamic_cast<HistorialEnviosModelo*>(&m);
    if (h) lineas.assign(h->lineas.begin(), h->lineas.end());
  };
  EXPECT_EQ(historialenvios_Click(*ws), Resultado::Hecho);
  ASSERT_EQ(lineas.size(), 5u);
  EXPECT_EQ(lineas[0].nombreRemoto, segundo);
  EXPECT_EQ(lineas[4].resultado.left(22), Q("El servidor \"127.0.0.1"));
}

}  // namespace
