// Order files and settings files that are damaged, binary, too long, gone or
// oddly ended: a clear message or the normal outcome, nothing half loaded.
#include <QDir>
#include <QFile>

#include "apoyo.h"
#include "consolidation/form2.h"
#include "intake/inf_import.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"
#include "startup/startup.h"

namespace {

using fallas::celdas;
using fallas::cuantos;

const QString kDatos = QStringLiteral(AVISO_TEST_DATA "/intake/");

class EntradasTest : public WorkspaceTest {
 protected:
  // The consolidation dialog takes the three orders of department 123 offered by pedidos_tres.inf.
  void elegirTodo() {
    prompter.alDialogo = [](DialogoModelo& m) {
      auto& f = dynamic_cast<Form2Modelo&>(m);
      for (const char* e : {"4500001234 - 123", "4500001235 - 123"})
        if (f.seleccionarList1(Q(e))) f.Command1_Click();
      f.Command2_Click();
    };
  }
  void importarInf(const QString& ruta) {
    elegirTodo();
    prompter.archivosAbrir.push_back(ruta);
    importararchiv_Click(*ws);
  }
  void importarTab(const QString& ruta) {
    prompter.archivosAbrir.push_back(ruta);
    arrch_tabulador_Click(*ws);
  }
  QByteArray original(const char* nombre) const { return leer(kDatos + QString::fromLatin1(nombre)); }
  void esperarNadaCargado() {
    EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
    EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
    EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
    EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
    EXPECT_FALSE(QFile::exists(ws->ruta(Q("archtabs.tmp"))));
  }
  // The detail grid after importing these bytes as an INF file in a fresh workspace.
  QStringList detalleInf(const QByteArray& bytes) {
    reiniciar();
    prompter.mensajes.clear();
    importarInf(escribir(Q("p.inf"), bytes));
    return celdas(ws->vaspread1);
  }
};

TEST_F(EntradasTest, ArchivoBorradoEntreElDialogoYLaLectura) {
  const QString ruta = escribir(Q("borrado.inf"), original("pedidos_tres.inf"));
  ASSERT_TRUE(QFile::remove(ruta));
  importarInf(ruta);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("El archivo: ") + ruta + Q(" no se encuentra"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Datos incorrectos"));
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  esperarNadaCargado();

  prompter.mensajes.clear();
  importarTab(ruta + Q(".txt"));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("El archivo: ") + ruta + Q(".txt no se encuentra"));
  esperarNadaCargado();
}

TEST_F(EntradasTest, FinesDeLineaSoloCrYMarcaUtf8DanLasMismasLineas) {
  const QByteArray crlf = original("pedidos_tres.inf");
  const QStringList esperado = detalleInf(crlf);
  ASSERT_EQ(esperado.size(), 5);

  QByteArray soloCr = crlf;
  soloCr.replace("\r\n", "\r");
  ASSERT_FALSE(soloCr.contains('\n'));
  EXPECT_EQ(detalleInf(soloCr), esperado);
  EXPECT_TRUE(prompter.mensajes.empty());

  QByteArray soloLf = crlf;
  soloLf.replace("\r\n", "\n");
  EXPECT_EQ(detalleInf(soloLf), esperado);

  // The same for the tab-delimited import.
  const QByteArray tab = original("pedidos_tab.txt");
  importarTab(escribir(Q("t.txt"), tab));
  const QStringList esperadoTab = celdas(ws->vaspread1);
  ASSERT_GE(esperadoTab.size(), 2);
  QByteArray tabCr = tab;
  tabCr.replace("\r\n", "\r");
  reiniciar();
  importarTab(escribir(Q("t.txt"), tabCr));
  EXPECT_EQ(celdas(ws->vaspread1), esperadoTab);

  // The mark sits in the heading line, which names no order.
  EXPECT_EQ(detalleInf(QByteArray("\xEF\xBB\xBF") + crlf), esperado);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 2);
}

TEST_F(EntradasTest, BytesNulosOBinarioSeRechazanSinCargarNada) {
  QByteArray nulos = original("pedidos_tres.inf");
  nulos.insert(nulos.indexOf('\n') + 5, '\0');
  const QString ruta = escribir(Q("nulos.inf"), nulos);
  importarInf(ruta);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto,
            Q("El archivo: ") + ruta + Q(" no es un archivo de texto con órdenes de compra.\r\nNo se cargó ningún dato."));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Datos incorrectos"));
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  esperarNadaCargado();
  EXPECT_EQ(leer(ruta), nulos);  // the order file is never touched

  QByteArray binario;
  for (int i = 0; i < 4096; ++i) binario.append(static_cast<char>((i * 37) & 0xFF));
  prompter.mensajes.clear();
  importarTab(escribir(Q("binario.txt"), binario));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.mensajes[0].texto.contains(Q("no es un archivo de texto")));
  esperarNadaCargado();
}

TEST_F(EntradasTest, DoscientasMilLineasSeRechazanEnterasEnAmbasImportaciones) {
  QByteArray inf("ORDEN,DEPTO\r\n");
  QByteArray tab("ORDEN\tDEPTO\r\n");
  for (int i = 0; i < 200000; ++i) {
    const QByteArray n = QByteArray::number(i % 40);
    inf += n + ",123,01/12/26,20/12/26,0101," + QByteArray::number(i) + ",M,7501,ROJO,CH,1\r\n";
    tab += n + "\t123\t01/12/26\t20/12/26\t0101\t" + QByteArray::number(i) + "\tM\t7501\tROJO\tCH\t1\r\n";
  }
  importarInf(escribir(Q("grande.inf"), inf));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto,
            Q("No se puede continuar: se necesitan 200000 renglones y el límite es de 50000 renglones.\r\n"
              "No se cambió ningún dato."));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso Importante"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  esperarNadaCargado();

  prompter.mensajes.clear();
  importarTab(escribir(Q("grande.txt"), tab));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.mensajes[0].texto.startsWith(Q("No se puede continuar: se necesitan 20000")));
  esperarNadaCargado();
}

TEST_F(EntradasTest, CortadoEnCadaByteDeSuUltimoRenglonYRenglonEnorme) {
  // A cut that leaves fewer fields than the line before is refused whole; one
  // inside the last field cannot be told from a whole line and loads.
  const QByteArray entero = original("pedidos_tres.inf");
  const qsizetype inicio = entero.lastIndexOf("\r\n", entero.size() - 3) + 2;
  int rehusados = 0;
  for (qsizetype n = inicio + 1; n < entero.size(); ++n) {
    const QByteArray b = entero.left(n);
    const bool faltan = b.mid(inicio).count(',') < 14;
    SCOPED_TRACE(b.mid(inicio).toStdString());
    detalleInf(b);
    ASSERT_EQ(prompter.mensajes.size(), faltan ? 1u : 0u);
    if (!faltan) continue;
    ++rehusados;
    EXPECT_TRUE(prompter.ultimo().contains(Q("su último renglón (7) está cortado"))) << prompter.ultimo().toStdString();
    esperarNadaCargado();
  }
  EXPECT_GT(rehusados, 50);

  // One line of two million characters without a comma: one order key, no crash, the cell kept whole.
  const QByteArray enorme = "ENCABEZADO\r\n" + QByteArray(2000000, 'X') + "\r\n";
  reiniciar();
  prompter.alDialogo = [](DialogoModelo& m) {
    auto& f = dynamic_cast<Form2Modelo&>(m);
    f.List1.indice = 0;
    f.Command1_Click();
    f.Command2_Click();
  };
  prompter.archivosAbrir.push_back(escribir(Q("enorme.inf"), enorme));
  importararchiv_Click(*ws);
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 1);
  EXPECT_EQ(ws->vaspread1.text(1, 1).size(), 2000000);
  EXPECT_FALSE(QFile::exists(ws->ruta(Q("archtabs.tmp"))));
}

// ---- settings ----------------------------------------------------------------

class AjustesTest : public WorkspaceTest {
 protected:
  // The client and application tables after a start-up with no settings files.
  void SetUp() override {
    QTemporaryDir limpio;
    ScriptedPrompter p;
    Workspace ref(limpio.path(), p, reloj);
    Form_Load(ref);
    cliente = celdas(ref.vaSpread2);
    aplicacion = celdas(ref.vaSpread4);
    direccion = ref.vaSpread4.text(2, 2);
  }
  QStringList cliente, aplicacion;
  QString direccion;
  // Starts up over the file; returns the message texts about it.
  void arrancarSobre(const char* nombre, const QByteArray& bytes) {
    escribir(Q(nombre), bytes);
    reiniciar();
    prompter.mensajes.clear();
    Form_Load(*ws);
  }
  void esperarAviso(const char* nombre) {
    const Mensaje* m = fallas::empiezaCon(prompter, Q("No se pudo leer el archivo de configuración ") + Q(nombre));
    ASSERT_NE(m, nullptr) << nombre;
    EXPECT_TRUE(m->texto.endsWith(Q(".\r\nSe usarán los valores por omisión."))) << m->texto.toStdString();
    EXPECT_EQ(m->titulo, Q("Aviso Importante"));
    EXPECT_EQ(prompter.mensajes.size(), 1u);
  }
};

TEST_F(AjustesTest, InfoCfgDanadoBinarioOIlegible) {
  const QByteArray basura("esto no es una hoja\r\n\x01\x02\x03\xff\xfe");
  arrancarSobre("info.cfg", basura);
  esperarAviso("info.cfg");
  EXPECT_EQ(celdas(ws->vaSpread2), cliente);
  EXPECT_EQ(leer(ws->ruta(Q("info.cfg"))), basura);  // kept for the user to look at

  QByteArray binario;
  for (int i = 0; i < 2048; ++i) binario.append(static_cast<char>((i * 131 + 7) & 0xFF));
  arrancarSobre("info.cfg", binario);
  esperarAviso("info.cfg");
  EXPECT_EQ(celdas(ws->vaSpread2), cliente);
  EXPECT_EQ(leer(ws->ruta(Q("info.cfg"))), binario);

  arrancarSobre("info.cfg", QByteArray());
  EXPECT_LE(prompter.mensajes.size(), 1u);
  EXPECT_EQ(celdas(ws->vaSpread4), aplicacion);

  // A folder where the file should be cannot be read by anyone.
  QFile::remove(ws->ruta(Q("info.cfg")));
  ASSERT_TRUE(QDir(carpeta()).mkdir(Q("info.cfg")));
  reiniciar();
  prompter.mensajes.clear();
  Form_Load(*ws);
  esperarAviso("info.cfg");
  EXPECT_EQ(celdas(ws->vaSpread2), cliente);
  ASSERT_TRUE(QDir(carpeta()).rmdir(Q("info.cfg")));

  if (fallas::permisosValen()) {
    const QString ruta = escribir(Q("info.cfg"), QByteArray("x"));
    fallas::Permisos sinLectura(ruta, QFile::WriteOwner);
    reiniciar();
    prompter.mensajes.clear();
    Form_Load(*ws);
    esperarAviso("info.cfg");
  }
}

TEST_F(AjustesTest, DudizodIniDanadoOBinarioDaLaDireccionDisenada) {
  const QByteArray ajeno("Aplicacion\tX\tY\r\nnada\r\n");
  arrancarSobre("dudizod.ini", ajeno);
  esperarAviso("dudizod.ini");
  EXPECT_EQ(ws->vaSpread4.text(2, 2), direccion);
  EXPECT_EQ(leer(ws->ruta(Q("dudizod.ini"))), ajeno);

  QByteArray binario("Aplicaci\xf3n:\t006\r\n--->\t");
  for (int i = 0; i < 512; ++i) binario.append(static_cast<char>((i * 53 + 1) & 0xFF));
  arrancarSobre("dudizod.ini", binario);
  ASSERT_LE(prompter.mensajes.size(), 1u);
  EXPECT_EQ(leer(ws->ruta(Q("dudizod.ini"))), binario);
  // Whatever the address reads as, it holds no control character for the send command.
  for (QChar c : ws->vaSpread4.text(2, 2)) EXPECT_GE(c.unicode(), 0x20);
}

}  // namespace
