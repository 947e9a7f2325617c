// The connection as the settings keep it: an older info.cfg read, every value
// written and read back after a restart, the address scrambled in
// dudizod.ini, and no password left in a file. The dialog's checks on its
// boxes. (The store itself: tests/almacen; the dialog against real servers:
// the send tests.)
#include "client/conexion_ajustes.h"
#include "client/conexion_ftp.h"
#include "client/form5.h"
#include "client/scrambling.h"

#include <QFile>

#include "fixture.h"
#include "startup/startup.h"

namespace {

// A connection in one line, so that a table compares every field.
std::string describir(const Conexion& c) {
  return QStringList{textoProtocolo(c.protocolo), c.servidor, QString::number(c.puerto), c.usuario,
                     c.recordar ? Q("recordar") : Q("-"), c.carpeta, c.nombre, QString::number(c.espera),
                     textoProxy(c.proxy), c.proxyServidor, QString::number(c.proxyPuerto), c.proxyUsuario}
      .join(Q("|"))
      .toStdString();
}

class ConexionTest : public WorkspaceTest {
 protected:
  void arrancar() {
    reiniciar();
    Form_Load(*ws);
  }
  // An info.cfg as an older version wrote it: the designed rows and these values.
  void infoCfg(const std::vector<std::pair<int, QString>>& valores) {
    QFile::remove(dir.filePath(Q("info.cfg")));
    arrancar();
    for (const auto& [fila, texto] : valores) ws->vaSpread2.setText(2, fila, texto);
    ASSERT_TRUE(ws->vaSpread2.saveSheet(dir.filePath(Q("info.cfg"))).ok);
    prompter.limpiar();
    arrancar();
  }
};

TEST_F(ConexionTest, UnInfoCfgViejoSeLee) {
  const QString omision = Q("SFTP|") + kDireccionFtpOmision + Q("|0||-||{proveedor}_{aaaammdd}_{hhmmss}.txt|0||");
  const QString nombre = Q("|{proveedor}_{aaaammdd}_{hhmmss}.txt|0|||0|");
  const struct {
    std::vector<std::pair<int, QString>> filas;
    QString esperada;
  } casos[] = {
      {{}, omision + Q("|0|")},
      {{{3, Q("prov01")}, {5, Q(" Sí ")}, {6, Q("Verdadero")}, {7, Q("socks5")}, {8, Q("10.0.0.1")}, {9, Q("1080")},
        {10, Q("fw")}, {20, Q("30")}},
       Q("SFTP|") + kDireccionFtpOmision +
           Q("|0|prov01|recordar||{proveedor}_{aaaammdd}_{hhmmss}.txt|30|SOCKS5|10.0.0.1|1080|fw")},
      // The firewall's fields without its flag are no proxy; an unknown type neither.
      {{{6, Q("0")}, {7, Q("SOCKS5")}, {8, Q("h")}}, Q("SFTP|") + kDireccionFtpOmision +
                                                         Q("|0||-||{proveedor}_{aaaammdd}_{hhmmss}.txt|0||h|0|")},
      {{{6, Q("1")}, {7, Q("3")}}, omision + Q("|0|")},
      {{{6, Q("-1")}, {7, Q("Http")}, {9, Q("99999")}},
       Q("SFTP|") + kDireccionFtpOmision + Q("|0||-||{proveedor}_{aaaammdd}_{hhmmss}.txt|0|HTTP CONNECT||0|")},
      // Numbers out of range or not numbers count as not given.
      {{{20, Q("-5")}, {22, Q("abc")}}, omision + Q("|0|")},
      {{{21, Q("FTPS implícito")}, {22, Q("990")}, {23, Q("/entrada")}, {24, Q("{proveedor}.txt")}},
       Q("FTPS implícito|") + kDireccionFtpOmision + Q("|990||-|/entrada|{proveedor}.txt|0|||0|")},
      {{{21, Q("ftps-implicito")}}, Q("FTPS implícito|") + kDireccionFtpOmision +
                                        Q("|0||-||{proveedor}_{aaaammdd}_{hhmmss}.txt|0|||0|")},
      {{{21, Q("ftps")}}, Q("FTPS explícito|") + kDireccionFtpOmision +
                              Q("|0||-||{proveedor}_{aaaammdd}_{hhmmss}.txt|0|||0|")},
      {{{21, Q("F.T.P.")}}, Q("FTP|") + kDireccionFtpOmision + Q("|0||-||{proveedor}_{aaaammdd}_{hhmmss}.txt|0|||0|")},
      {{{21, Q("gopher")}}, omision + Q("|0|")},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.esperada.toStdString());
    infoCfg(c.filas);
    EXPECT_EQ(describir(conexionDe(*ws)), c.esperada.toStdString());
    EXPECT_TRUE(prompter.mensajes.empty());
  }
}

TEST_F(ConexionTest, CadaValorGuardadoSeLeeAlVolverAArrancar) {
  Form_Load(*ws);
  Conexion a;
  a.protocolo = Protocolo::FtpsExplicito;
  a.servidor = Q("asn.tornavela.example");
  a.puerto = 2121;
  a.usuario = Q("proveedor 7");
  a.recordar = true;
  a.carpeta = Q("/entrada/avisos");
  a.nombre = Q("{proveedor}-{aaaa}{mm}{dd}.txt");
  a.espera = 45;
  a.proxy = Proxy::HttpConnect;
  a.proxyServidor = Q("proxy.local");
  a.proxyPuerto = 3128;
  a.proxyUsuario = Q("yo");
  Conexion b;
  b.servidor = Q("10.1.2.3");
  for (const Conexion& c : {a, b}) {
    ASSERT_TRUE(guardarConexion(*ws, c).ok);
    const QByteArray ini = leer(dir.filePath(Q("dudizod.ini")));
    arrancar();
    EXPECT_EQ(describir(conexionDe(*ws)), describir(c));
    // The address lies scrambled in dudizod.ini, as start-up reads it.
    EXPECT_TRUE(ini.contains("\r\n--->\t" + EnCode(*ws, c.servidor).toLatin1() + "\t\r\n")) << ini.constData();
    EXPECT_FALSE(ini.contains(c.servidor.toLatin1()));
    EXPECT_EQ(ws->vaSpread2.text(2, 13), c.servidor);
  }
  const QByteArray cfg = leer(dir.filePath(Q("info.cfg")));
  for (const char* fila : {"21\t1\tProtocolo:\r\n", "22\t1\tPuerto:\r\n", "23\t1\tCarpeta remota:\r\n",
                           "24\t1\tNombre remoto:\r\n", "21\t2\tSFTP\r\n"})
    EXPECT_TRUE(cfg.contains(fila)) << fila;
  EXPECT_TRUE(prompter.mensajes.empty());
}

// A password an older info.cfg kept in clear leaves the file at start; with
// no store it is dropped and the user told. No later save puts it back.
TEST_F(ConexionTest, UnaContrasenaEnClaroSaleDeInfoCfg) {
  infoCfg({{3, Q("prov01")}, {4, Q("secreto-uno")}, {5, Q("1")}, {11, Q("secreto-dos")}, {14, Q("45678")}});
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso Importante"));
  EXPECT_EQ(prompter.mensajes[0].texto,
            Q("El archivo de configuración info.cfg guardaba la contraseña de la conexión FTP sin cifrar. Este equipo "
              "no tiene un almacén de contraseñas disponible. La contraseña se quitó del archivo y se pedirá en cada "
              "envío."));
  const auto sinClaves = [this] {
    for (const char* archivo : {"info.cfg", "dudizod.ini"}) {
      const QByteArray bytes = leer(dir.filePath(Q(archivo)));
      EXPECT_FALSE(bytes.contains("secreto")) << archivo;
    }
  };
  sinClaves();
  EXPECT_FALSE(conexionDe(*ws).recordar);
  EXPECT_EQ(conexionDe(*ws).usuario, Q("prov01"));
  EXPECT_TRUE(textosLog().contains(prompter.mensajes[0].texto));

  // A second start says nothing more.
  prompter.limpiar();
  arrancar();
  EXPECT_TRUE(prompter.mensajes.empty());

  // The client dialog's OK and the connection's save write the table whole,
  // never a password even when one reached the table.
  ws->vaSpread2.setText(2, 4, Q("secreto-tres"));
  Form5Modelo f(*ws);
  f.Form_Load();
  f.ncliente = Q("1234");
  f.rfc = Q("ABCD010101-AB1");
  EXPECT_EQ(f.aceptar_Click(), Resultado::Hecho);
  sinClaves();
  ws->vaSpread2.setText(2, 11, Q("secreto-cuatro"));
  ASSERT_TRUE(guardarConexion(*ws, conexionDe(*ws)).ok);
  sinClaves();
}

TEST_F(ConexionTest, ElDialogoRevisaSusCajasEnOrden) {
  Form_Load(*ws);
  struct Caso {
    std::function<void(ConexionFtpModelo&)> cambiar;
    const char* mensaje;
    const char* foco;
  };
  const Caso casos[] = {
      {[](ConexionFtpModelo& f) { f.servidor = Q("  "); }, "Falta el servidor", "servidor"},
      {[](ConexionFtpModelo& f) { f.servidor = Q("sftp://a.b"); },
       "El servidor se escribe sin espacios ni diagonales, por ejemplo sftp.tornavela.com.mx", "servidor"},
      {[](ConexionFtpModelo& f) { f.puerto = Q("70000"); },
       "El puerto debe ser un número del 1 al 65535 (vacío: el del protocolo)", "puerto"},
      {[](ConexionFtpModelo& f) { f.usuario.clear(); }, "Falta el nombre de usuario", "usuario"},
      {[](ConexionFtpModelo& f) { f.nombre = Q("a/b.txt"); },
       "Falta el nombre remoto, sin diagonales, por ejemplo {proveedor}_{aaaammdd}_{hhmmss}.txt", "nombre"},
      {[](ConexionFtpModelo& f) { f.espera = Q("1m"); }, "La espera debe ser un número de segundos (0: 60 segundos)",
       "espera"},
      {[](ConexionFtpModelo& f) { f.proxy = 1; }, "Falta el servidor del firewall", "proxyServidor"},
      {[](ConexionFtpModelo& f) {
         f.proxy = 2;
         f.proxyServidor = Q("p");
       },
       "El puerto del firewall debe ser un número del 1 al 65535", "proxyPuerto"},
  };
  for (const Caso& c : casos) {
    ConexionFtpModelo f(*ws);
    f.Form_Load();
    f.usuario = Q("prov01");
    c.cambiar(f);
    prompter.limpiar();
    const QByteArray antes = leer(dir.filePath(Q("dudizod.ini")));
    EXPECT_EQ(f.aceptar_Click(), Resultado::Rechazado) << c.mensaje;
    EXPECT_EQ(prompter.textos(), QStringList{Q(c.mensaje)});
    EXPECT_EQ(prompter.mensajes[0].titulo, Q("Datos Incompletos"));
    EXPECT_EQ(f.foco, Q(c.foco));
    EXPECT_FALSE(f.cerrado);
    EXPECT_EQ(leer(dir.filePath(Q("dudizod.ini"))), antes);
    EXPECT_FALSE(QFile::exists(dir.filePath(Q("info.cfg"))));
  }
}

TEST_F(ConexionTest, FtpSinCifrarSoloPorDecisionYLaNotaSinAlmacen) {
  Form_Load(*ws);
  ConexionFtpModelo f(*ws);
  f.Form_Load();
  EXPECT_EQ(f.kTitulo, Q("Conexión FTP"));
  EXPECT_FALSE(f.almacen);  // no event loop here: no store
  EXPECT_EQ(f.nota(), ConexionFtpModelo::kSinAlmacen);
  f.servidor = Q("ftp.ejemplo");
  f.usuario = Q("prov01");
  f.protocolo = 3;
  f.recordar = true;
  f.clave = Q("secreto");
  EXPECT_EQ(f.nota(), ConexionFtpModelo::kSinAlmacen + Q("\n") + ConexionFtpModelo::kAdvertenciaFtp);
  prompter.respuestas = {Respuesta::No};
  EXPECT_EQ(f.aceptar_Click(), Resultado::Rechazado);
  EXPECT_EQ(prompter.mensajes.back().titulo, Q("Conexión sin cifrar"));
  EXPECT_EQ(f.foco, Q("protocolo"));
  EXPECT_FALSE(QFile::exists(dir.filePath(Q("info.cfg"))));
  prompter.respuestas = {Respuesta::Si};
  EXPECT_EQ(f.aceptar_Click(), Resultado::Hecho);
  EXPECT_TRUE(f.cerrado);
  const Conexion c = conexionDe(*ws);
  EXPECT_EQ(c.protocolo, Protocolo::Ftp);
  EXPECT_FALSE(c.recordar);  // nothing can remember it
  EXPECT_FALSE(leer(dir.filePath(Q("info.cfg"))).contains("secreto"));

  // Cancelar writes nothing.
  const QByteArray cfg = leer(dir.filePath(Q("info.cfg")));
  ConexionFtpModelo g(*ws);
  g.Form_Load();
  g.servidor = Q("otro");
  EXPECT_EQ(g.Cancelar_Click(), Resultado::Cancelado);
  EXPECT_EQ(leer(dir.filePath(Q("info.cfg"))), cfg);
  EXPECT_EQ(conexionDe(*ws).servidor, Q("ftp.ejemplo"));
}

}  // namespace
