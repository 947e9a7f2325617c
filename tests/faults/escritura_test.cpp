// Writes that fail: a log that cannot be written, a full disk, a target
// folder or file that cannot be replaced. The work goes on or the old file
// stays whole, with the message that says so.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "../notice/shipment.h"
#include "apoyo.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"
#include "notice/output.h"

namespace {

using fallas::celdas;
using fallas::cuantos;

const QString kDatos = QStringLiteral(AVISO_TEST_DATA "/intake/");
const QString kErrorLog = QStringLiteral("Error al generar el archivo Log");

class EscrituraTest : public WorkspaceTest {
 protected:
  void TearDown() override { texto::simularDiscoLlenoTras(-1); }

  // Tab import of the sample and the choice of its first order.
  void importarYElegir(Workspace& w) {
    prompter.archivosAbrir.push_back(kDatos + QStringLiteral("pedidos_tab.txt"));
    arrch_tabulador_Click(w);
    w.Combo2.texto = Q("7700001");
    w.Combo2.indice = 0;
    Combo2_Click(w);
  }
  // The messages that are not about the log.
  QStringList otros() const {
    QStringList t;
    for (const Mensaje& m : prompter.mensajes)
      if (m.texto != kErrorLog) t.append(m.texto);
    return t;
  }
  // One log failure message per line the same command logs where the log can be written.
  void esperarUnAvisoPorLinea(const std::function<void()>& bloquear) {
    importarYElegir(*ws);
    const int lineas = static_cast<int>(lineasLog().size());
    const QStringList tablas = celdas(ws->vaspread1) + celdas(ws->vaSpread6) + celdas(ws->vaSpread9);
    const QStringList mensajes = otros();
    ASSERT_GT(lineas, 10);

    QDir(ws->log.carpeta()).removeRecursively();
    bloquear();
    reiniciar();
    prompter.mensajes.clear();
    importarYElegir(*ws);
    EXPECT_EQ(cuantos(prompter, kErrorLog), lineas);
    for (const Mensaje& m : prompter.mensajes)
      if (m.texto == kErrorLog) {
        EXPECT_EQ(m.titulo, Q("Aviso Importante"));
        EXPECT_EQ(m.icono, Icono::Critico);
        EXPECT_EQ(m.botones, Botones::Ok);
      }
    // The command did all its work all the same.
    EXPECT_EQ(otros(), mensajes);
    EXPECT_EQ(celdas(ws->vaspread1) + celdas(ws->vaSpread6) + celdas(ws->vaSpread9), tablas);
    EXPECT_TRUE(ws->habilitado(Q("b_enviar")));
  }
  // A shipment that passes every check, with an earlier notice at `ruta`.
  void avisoListo(const QString& ruta) {
    ejemplo(*ws);
    escribir(ruta, kViejo);
    prompter.archivosGuardar.push_back(ruta);
  }
  void esperarViejoYError(const QString& ruta, const QString& carpetaDestino) {
    const Mensaje* m = fallas::empiezaCon(prompter, Q("Error inesperado # "));
    ASSERT_NE(m, nullptr) << otros().join(Q(" / ")).toStdString();
    EXPECT_EQ(m->icono, Icono::Critico);
    EXPECT_EQ(m->titulo, Q("DUDIZOD"));
    EXPECT_EQ(leer(ruta), kViejo);
    EXPECT_EQ(fallas::contenido(carpetaDestino), QStringList{QFileInfo(ruta).fileName()});
    EXPECT_FALSE(QFile::exists(ws->ruta(Q("arch.txt"))));
  }
  const QByteArray kViejo = QByteArray("HD aviso anterior\r\n");
};

TEST_F(EscrituraTest, LogImposibleUnAvisoPorLineaYElTrabajoSigue) {
  // A file where the log folder should be: no one can create the folder.
  esperarUnAvisoPorLinea([this] { escribir(Q("Log"), QByteArray("no soy carpeta")); });
  EXPECT_EQ(leer(ws->ruta(Q("Log"))), QByteArray("no soy carpeta"));
}

TEST_F(EscrituraTest, CarpetaDelProgramaDeSoloLectura) {
  if (!fallas::permisosValen()) GTEST_SKIP() << "permissions do not bind for the superuser";
  std::unique_ptr<fallas::Permisos> p;
  esperarUnAvisoPorLinea([&] { p = std::make_unique<fallas::Permisos>(carpeta(), fallas::kSoloLectura); });
}

TEST_F(EscrituraTest, DiscoLlenoAlEscribirElAvisoDejaElAnterior) {
  QTemporaryDir destino;
  const QString ruta = destino.filePath(Q("aviso.txt"));
  // A first notice elsewhere gives the bytes the command writes: its log lines and the notice.
  QTemporaryDir prueba;
  avisoListo(prueba.filePath(Q("aviso.txt")));
  const qint64 logAntes = QFileInfo(ws->log.rutaDelDia()).size();
  arch_env_Click(*ws);
  const qint64 aviso = QFileInfo(prueba.filePath(Q("aviso.txt"))).size();
  const qint64 bitacora = QFileInfo(ws->log.rutaDelDia()).size() - logAntes;
  ASSERT_GT(aviso, 100);
  ASSERT_TRUE(otros().isEmpty()) << otros().join(Q(" / ")).toStdString();

  // The disk fills half-way through the notice.
  QFile::remove(ws->log.rutaDelDia());
  avisoListo(ruta);
  texto::simularDiscoLlenoTras(bitacora + aviso / 2);
  arch_env_Click(*ws);
  texto::simularDiscoLlenoTras(-1);
  esperarViejoYError(ruta, destino.path());
  EXPECT_FALSE(textosLog().contains(Q("Vorarido Exitoso!!!")));

  // With room again the same command writes the notice.
  prompter.mensajes.clear();
  prompter.archivosGuardar.push_back(ruta);
  arch_env_Click(*ws);
  EXPECT_TRUE(otros().isEmpty()) << otros().join(Q(" / ")).toStdString();
  EXPECT_TRUE(leer(ruta).startsWith("HD"));
  EXPECT_NE(leer(ruta), kViejo);
  EXPECT_TRUE(textosLog().contains(Q("Vorarido Exitoso!!!")));
}

TEST_F(EscrituraTest, DestinoDelAvisoQueNoSePuedeEscribir) {
  // The chosen folder is a file: nothing can be created in it.
  const QString archivo = escribir(Q("no_carpeta"), QByteArray("x"));
  ejemplo(*ws);
  prompter.archivosGuardar.push_back(archivo + Q("/aviso.txt"));
  arch_env_Click(*ws);
  ASSERT_NE(fallas::empiezaCon(prompter, Q("Error inesperado # ")), nullptr);
  EXPECT_EQ(leer(archivo), QByteArray("x"));

  // The chosen name is a folder: it stays a folder.
  QTemporaryDir destino;
  QDir(destino.path()).mkdir(Q("aviso.txt"));
  prompter.mensajes.clear();
  prompter.archivosGuardar.push_back(destino.filePath(Q("aviso.txt")));
  arch_env_Click(*ws);
  ASSERT_NE(fallas::empiezaCon(prompter, Q("Error inesperado # ")), nullptr);
  EXPECT_TRUE(QFileInfo(destino.filePath(Q("aviso.txt"))).isDir());
  EXPECT_EQ(fallas::contenido(destino.path()), QStringList{Q("aviso.txt")});
}

TEST_F(EscrituraTest, CarpetaOArchivoDelAvisoDeSoloLectura) {
  if (!fallas::permisosValen()) GTEST_SKIP() << "permissions do not bind for the superuser";
  QTemporaryDir destino;
  const QString ruta = destino.filePath(Q("aviso.txt"));
  avisoListo(ruta);
  {
    fallas::Permisos soloLectura(destino.path(), fallas::kSoloLectura);
    arch_env_Click(*ws);
  }
  esperarViejoYError(ruta, destino.path());

  prompter.mensajes.clear();
  prompter.archivosGuardar.push_back(ruta);
  {
    fallas::Permisos soloLectura(ruta, QFile::ReadOwner | QFile::ReadGroup);
    arch_env_Click(*ws);
  }
  esperarViejoYError(ruta, destino.path());
}

}  // namespace
