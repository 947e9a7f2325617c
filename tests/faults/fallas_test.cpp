// The faults found by injecting them. Every writer against a full disk (a
// device that fails after N bytes or at the final flush): the old file stays
// byte for byte. Every command against a pipe, a folder or a cut file in place
// of its input, a file or folder where a write needs the other, and a log that
// cannot be written: one clear message at once, nothing half done. Each fault
// holds for the superuser too: none of them rests on permissions.
#include <QBuffer>
#include <QDir>
#include <sys/stat.h>

#include "../notice/shipment.h"
#include "apoyo.h"
#include "consolidation/form2.h"
#include "dispositivo_fallido.h"
#include "intake/inf_import.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"
#include "notice/builder.h"
#include "notice/output.h"
#include "workfile/workfile.h"
#include "startup/startup.h"

namespace {

using fallas::celdas;

const QString kDatos = QStringLiteral(AVISO_TEST_DATA "/intake/");

class FallasTest : public WorkspaceTest {
 public:
  using WorkspaceTest::escribir;
  using WorkspaceTest::leer;
  using WorkspaceTest::prompter;
  using WorkspaceTest::textosLog;
  using WorkspaceTest::ws;
  QString ruta(const QString& nombre) const { return dir.filePath(nombre); }
  QString tuberia(const QString& nombre) {
    const QString r = ruta(nombre);
    EXPECT_EQ(::mkfifo(QFile::encodeName(r).constData(), 0600), 0);
    return r;
  }
  QString carpetaLlamada(const QString& nombre) {
    QDir(carpeta()).mkdir(nombre);
    return ruta(nombre);
  }
  // The order file `nombre` of the test data cut inside its last line, `quedan` characters of it left.
  QString cortado(const char* nombre, int quedan) {
    QByteArray b = leer(kDatos + QString::fromLatin1(nombre));
    b.chop(2);
    b.truncate(b.lastIndexOf('\n') + 1 + quedan);
    return escribir(Q("cortado_") + QString::fromLatin1(nombre), b);
  }
  Resultado importarInf(const QString& r) {
    prompter.alDialogo = [](DialogoModelo& m) {
      auto& f = dynamic_cast<Form2Modelo&>(m);
      if (f.seleccionarList1(Q("4500001234 - 123"))) f.Command1_Click();
      f.Command2_Click();
    };
    prompter.archivosAbrir.push_back(r);
    return importararchiv_Click(*ws);
  }
  Resultado importarTab(const QString& r) {
    prompter.archivosAbrir.push_back(r);
    return arrch_tabulador_Click(*ws);
  }
  Resultado abrir(const QString& r) {
    prompter.archivosAbrir.push_back(r);
    return abrirarchiv_Click(*ws);
  }
  Resultado guardar(const QString& r) {
    prompter.archivosGuardar.push_back(r);
    return guardararchiv_Click(*ws);
  }
  Resultado arrancar() {
    Form_Load(*ws);
    return Resultado::Hecho;
  }
  // Two orders of two lines each, ready for the notice.
  void dosOrdenes() {
    ejemplo(*ws);
    Orden o2;
    o2.orden = Q("22222222");
    o2.factura = Q("F-200");
    ponerOrdenes(*ws, {Orden{}, o2});
    Linea a, b, c;
    b.sku = Q("1234568");
    c.orden = o2.orden;
    c.contenedor = Q("B000000002");
    ponerLineas(*ws, {a, b, c});
  }
  void esperarNadaCargado() {
    EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
    EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
    EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ruta(Q("archtabs.tmp"))) && QFileInfo(ruta(Q("archtabs.tmp"))).isFile());
  }
};

// ---- writers over a device that fails ------------------------------------------------------------

TEST_F(FallasTest, CadaEscritorSobreUnDiscoLlenoDejaElArchivoAnterior) {
  struct Escritor {
    const char* nombre;
    std::function<texto::Resultado(Workspace&, QIODevice&)> escribir;
  };
  const Escritor escritores[] = {
      {"aviso", [](Workspace& w, QIODevice& d) { return preparar(w) ? escribirAviso(w, d) : texto::Resultado(); }},
      {"archivo de trabajo",
       [](Workspace& w, QIODevice& d) { return prepararguardar(w) ? escribirTrabajo(w, d) : texto::Resultado(); }},
      {"header.txt", [](Workspace& w, QIODevice& d) { return w.vaSpread9.saveTabText(d); }},
      {"info.cfg", [](Workspace& w, QIODevice& d) { return w.vaSpread2.saveSheet(d); }},
      {"dudizod.ini", [](Workspace& w, QIODevice& d) { return w.vaSpread4.saveTabText(d); }},
  };
  dosOrdenes();
  const QString destino = ruta(Q("destino"));
  const QByteArray viejo("archivo anterior\r\n");
  for (const Escritor& e : escritores) {
    SCOPED_TRACE(e.nombre);
    const auto escritor = [&](QIODevice& d) { return e.escribir(*ws, d); };
    QBuffer completo;
    completo.open(QIODevice::WriteOnly);
    ASSERT_TRUE(escritor(completo).ok);
    const qint64 total = completo.data().size();
    ASSERT_GT(total, 20);
    for (qint64 limite : {qint64(0), qint64(1), total / 2, total - 1, ReemplazoFallido::kAlVaciar}) {
      SCOPED_TRACE(limite);
      escribir(destino, viejo);
      const texto::Resultado r = ReemplazoFallido(destino, limite).escribir(escritor);
      EXPECT_FALSE(r.ok);
      EXPECT_EQ(r.numero, 61);
      EXPECT_TRUE(r.descripcion.startsWith(Q("No se pudo escribir el archivo: ") + destino)) << r.descripcion.toStdString();
      EXPECT_EQ(leer(destino), viejo);
    }
    // With room for every byte the file is replaced by them.
    ASSERT_TRUE(ReemplazoFallido(destino, total).escribir(escritor).ok);
    EXPECT_EQ(leer(destino), completo.data());
  }
  // No temporary file stays beside the target.
  for (const QString& n : fallas::contenido(carpeta())) EXPECT_TRUE(n == Q("destino") || n == Q("Log")) << n.toStdString();
}

// ---- commands over a faulty file system ------------------------------------------------------------

TEST_F(FallasTest, CadaComandoDiceLaFallaEnSeguidaYNoDejaNadaAMedias) {
  struct Caso {
    const char* nombre;
    std::function<Resultado(FallasTest&)> correr;  // lays the fault and runs the command
    Resultado fin;                                 // how the command ends
    QString mensaje;                          // the first message ("%1": the program folder; a final "…": its start)
    QString titulo;
    Icono icono;
    std::function<void(FallasTest&)> despues;  // what must stand afterwards
  };
  const auto nada = [](FallasTest& t) { t.esperarNadaCargado(); };
  const QString kIlegible = Q("Error inesperado # 75\r\nNo se puede leer %1/");
  const QString kAjuste = Q("No se pudo leer el archivo de configuración ");
  const QString kCortado = Q(" está incompleto: su último renglón (7) está cortado, le faltan campos.\r\nNo se cargó ningún dato.");
  const QString kFueraDeTabla = Q("Existen renglones de la Orden de Compra 22222222 que no está en la tabla de órdenes");
  const auto sinAviso = [](FallasTest& t) {
    EXPECT_EQ(t.ws->vaspread1.activeRow(), 3);
    EXPECT_EQ(t.ws->vaspread1.activeCol(), 1);
    EXPECT_FALSE(QFileInfo::exists(t.ruta(Q("aviso.txt"))));
  };
  const Caso casos[] = {
      {"INF que es una tubería", [](FallasTest& t) { return t.importarInf(t.tuberia(Q("p.inf"))); }, Resultado::Fallido,
       kIlegible + Q("p.inf: no es un archivo, es una tubería (FIFO)"), Q("DUDIZOD"), Icono::Critico, nada},
      {"tabulado que es una tubería", [](FallasTest& t) { return t.importarTab(t.tuberia(Q("p.txt"))); }, Resultado::Fallido,
       kIlegible + Q("p.txt: no es un archivo, es una tubería (FIFO)"), Q("DUDIZOD"), Icono::Critico, nada},
      {"archivo de trabajo que es una tubería", [](FallasTest& t) { return t.abrir(t.tuberia(Q("p.006"))); }, Resultado::Fallido,
       kIlegible + Q("p.006: no es un archivo, es una tubería (FIFO)"), Q("DUDIZOD"), Icono::Critico, nada},
      {"archivo de trabajo que es una carpeta", [](FallasTest& t) { return t.abrir(t.carpetaLlamada(Q("p.006"))); }, Resultado::Fallido,
       kIlegible + Q("p.006: no es un archivo, es una carpeta"), Q("DUDIZOD"), Icono::Critico, nada},
      {"info.cfg que es una tubería", [](FallasTest& t) { return t.tuberia(Q("info.cfg")), t.arrancar(); }, Resultado::Hecho,
       kAjuste + Q("info.cfg (No se puede leer %1/info.cfg: no es un archivo, es una tubería (FIFO)).\r\n"
                   "Se usarán los valores por omisión."),
       Q("Aviso Importante"), Icono::Exclamacion, nada},
      {"dudizod.ini que es una tubería", [](FallasTest& t) { return t.tuberia(Q("dudizod.ini")), t.arrancar(); }, Resultado::Hecho,
       kAjuste + Q("dudizod.ini (No se puede leer %1/dudizod.ini: no es un archivo, es una tubería (FIFO)).\r\n"
                   "Se usarán los valores por omisión."),
       Q("Aviso Importante"), Icono::Exclamacion, nada},
      {"INF cortado en su último renglón", [](FallasTest& t) { return t.importarInf(t.cortado("pedidos_tres.inf", 30)); }, Resultado::Fallido,
       Q("El archivo: %1/cortado_pedidos_tres.inf") + kCortado, Q("Datos incorrectos"), Icono::Ninguno, nada},
      {"tabulado cortado en su último renglón", [](FallasTest& t) { return t.importarTab(t.cortado("pedidos_tab.txt", 30)); }, Resultado::Fallido,
       Q("El archivo: %1/cortado_pedidos_tab.txt") + kCortado, Q("Datos incorrectos"), Icono::Ninguno, nada},
      {"archtabs.tmp que es una carpeta",
       [](FallasTest& t) {
         t.carpetaLlamada(Q("archtabs.tmp"));
         return t.importarInf(kDatos + Q("pedidos_tres.inf"));
       },
       Resultado::Fallido,
       Q("Error inesperado # 61\r\nNo se pudo escribir el archivo: %1/archtabs.tmp…"), Q("DUDIZOD"), Icono::Critico,
       [](FallasTest& t) {
         t.esperarNadaCargado();
         EXPECT_TRUE(t.textosLog().contains(Q("MODULO2-----ERROR EN LA FUNCION-----convertirdelimitado")));
       }},
      {"header.txt que es una carpeta",
       [](FallasTest& t) {
         t.dosOrdenes();
         t.carpetaLlamada(Q("header.txt"));
         return t.guardar(t.ruta(Q("envio.006")));
       },
       Resultado::Fallido, Q("Error inesperado # 61\r\nNo se pudo escribir el archivo: %1/header.txt…"), Q("DUDIZOD"), Icono::Critico,
       [](FallasTest& t) {
         // The work file was written whole before; it opens with both orders.
         EXPECT_TRUE(QFileInfo(t.ruta(Q("header.txt"))).isDir());
         t.ws->vaSpread9.deleteAllRows();
         t.abrir(t.ruta(Q("envio.006")));
         EXPECT_EQ(t.ws->vaSpread9.dataRowCount(), 2);
         EXPECT_EQ(t.prompter.mensajes.size(), 1u);
       }},
      {"aviso sobre una carpeta",
       [](FallasTest& t) {
         t.dosOrdenes();
         t.prompter.archivosGuardar.push_back(t.carpetaLlamada(Q("aviso.txt")));
         return arch_env_Click(*t.ws);
       },
       Resultado::Fallido, Q("Error inesperado # …"), Q("DUDIZOD"), Icono::Critico,
       [](FallasTest& t) {
         EXPECT_TRUE(QFileInfo(t.ruta(Q("aviso.txt"))).isDir());
         EXPECT_FALSE(t.textosLog().contains(Q("Vorarido Exitoso!!!")));
       }},
      {"archivo de trabajo que perdió su última orden",
       [](FallasTest& t) {
         t.dosOrdenes();
         t.guardar(t.ruta(Q("envio.006")));
         QByteArray b = t.leer(t.ruta(Q("envio.006")));
         b.truncate(b.lastIndexOf("22222222"));
         EXPECT_EQ(t.abrir(t.escribir(Q("envio.006"), b)), Resultado::Hecho);
         EXPECT_TRUE(t.prompter.mensajes.empty()) << t.prompter.ultimo().toStdString();
         ponerEntrega(*t.ws);
         t.prompter.archivosGuardar.push_back(t.ruta(Q("aviso.txt")));
         return arch_env_Click(*t.ws);
       },
       Resultado::Rechazado, kFueraDeTabla, Q("Aviso Importante"), Icono::Critico, sinAviso},
      {"envío con renglones de una orden que no está en la tabla",
       [](FallasTest& t) {
         t.dosOrdenes();
         ponerOrdenes(*t.ws, {Orden{}});
         return b_enviar_Click(*t.ws);
       },
       Resultado::Rechazado, kFueraDeTabla, Q("Aviso Importante"), Icono::Critico, sinAviso},
      {"Log que es un archivo",
       [](FallasTest& t) {
         t.escribir(Q("Log"), "no soy carpeta");
         t.importarTab(kDatos + Q("pedidos_tab.txt"));
         t.ws->Combo2.texto = Q("7700001");
         t.ws->Combo2.indice = 0;
         return Combo2_Click(*t.ws);
       },
       Resultado::Hecho, Q("Error al generar el archivo Log"), Q("Aviso Importante"), Icono::Critico,
       [](FallasTest& t) {
         // Told once for the whole import and choice, whose work is done.
         EXPECT_EQ(fallas::cuantos(t.prompter, Q("Error al generar el archivo Log")), 1);
         EXPECT_GT(t.ws->vaspread1.dataRowCount(), 0);
         EXPECT_GT(t.ws->log.perdidas(), 10);
         // Told again only after a line was written in between.
         QFile::remove(t.ruta(Q("Log")));
         t.ws->EscribirLog(Q("escrito"));
         t.ws->EscribirLog(Q("escrito"));
         EXPECT_TRUE(QDir(t.ruta(Q("Log"))).removeRecursively());
         t.escribir(Q("Log"), "otra vez");
         const qint64 perdidas = t.ws->log.perdidas();
         Form_Paint(*t.ws);
         EXPECT_EQ(fallas::cuantos(t.prompter, Q("Error al generar el archivo Log")), 2);
         EXPECT_EQ(t.ws->log.perdidas(), perdidas + 2);
       }},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    QDir(carpeta()).removeRecursively();
    QDir().mkpath(carpeta());
    reiniciar();
    prompter = ScriptedPrompter();
    EXPECT_EQ(c.correr(*this), c.fin);
    ASSERT_FALSE(prompter.mensajes.empty());
    const Mensaje& m = prompter.mensajes[0];
    QString esperado = c.mensaje.contains(Q("%1")) ? c.mensaje.arg(carpeta()) : c.mensaje;
    if (esperado.endsWith(QChar(0x2026))) {
      esperado.chop(1);
      EXPECT_TRUE(m.texto.startsWith(esperado)) << m.texto.toStdString();
    } else {
      EXPECT_EQ(m.texto, esperado);
    }
    EXPECT_EQ(m.titulo, c.titulo);
    EXPECT_EQ(m.icono, c.icono);
    c.despues(*this);
  }
}

}  // namespace
