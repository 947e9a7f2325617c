#include "workfile/workfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "consolidation/form2.h"
#include "fixture.h"
#include "intake/inf_import.h"
#include "startup/startup.h"

namespace {

const QString kDatos = QStringLiteral(AVISO_TEST_DATA "/intake/");
const QString kFirma = QStringLiteral("DUDIZOD3.0");

class WorkfileTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    Form_Load(*ws);
    ws->vaSpread2.setText(2, 2, Q("778899"));
    prompter.limpiar();
  }

  // A detail row with every column; department and SKU as given.
  static QStringList linea(const QString& orden, const QString& depto, const QString& sku) {
    return {orden, depto, Q("01/12/26"), Q("20/12/26"), Q("0101"), sku, Q("MOD-A"), Q("7501000000011"), Q("ROJO"),
            Q("CH"), Q("5"), Q("45.50"), Q("99.90"), Q("CAJA"), Q("C0001"), Q("12")};
  }
  static QStringList orden(const QString& oc, const QString& tipo) {
    return {oc, tipo, Q("1234"), Q("FAC1"), Q("100.00"), Q("12"), Q("01/12/2026"), Q("20/12/2026")};
  }
  // Three detail lines of one order with its header row.
  void unaOrden(const QString& tipo) {
    for (int r = 1; r <= 3; ++r) ws->vaspread1.setRowTexts(r, linea(Q("4500000001"), Q("12"), QString::number(77000 + r)));
    ws->vaSpread9.setRowTexts(1, orden(Q("4500000001"), tipo));
  }
  QString guardarEn(const QString& nombre) {
    const QString ruta = dir.filePath(nombre);
    prompter.archivosGuardar.push_back(ruta);
    b_save_Click(*ws);
    return ruta;
  }
  void abrir(const QString& ruta) {
    prompter.archivosAbrir.push_back(ruta);
    b_abrir_Click(*ws);
  }
  QStringList lineas(const QString& ruta) const { return texto::partirLineas(texto::desde1252(leer(ruta))); }
  static QString campo(const QString& linea, int col) { return linea.section(QLatin1Char('\t'), col - 1, col - 1); }
  static QStringList filas(const Grid& g) {
    QStringList t;
    for (int r = 1; r <= g.dataRowCount(); ++r) t.append(g.rowTexts(r).join(QLatin1Char('|')));
    return t;
  }
  int cuenta(const QString& texto) const { return static_cast<int>(textosLog().count(texto)); }
};

TEST_F(WorkfileTest, ImportarGuardarAbrirYGuardarOtraVezDaLosMismosBytes) {
  prompter.alDialogo = [](DialogoModelo& m) {
    auto& f = dynamic_cast<Form2Modelo&>(m);
    for (const char* e : {"4500001234 - 123", "4500001235 - 123"}) {
      ASSERT_TRUE(f.seleccionarList1(Q(e)));
      f.Command1_Click();
    }
    f.Command2_Click();
  };
  prompter.archivosAbrir.push_back(kDatos + QStringLiteral("pedidos_tres.inf"));
  importararchiv_Click(*ws);
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 5);
  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 2);
  for (int i = 1; i <= 7; ++i) ws->Text1[i] = QStringLiteral("T%1").arg(i);
  prompter.limpiar();

  const QString primero = guardarEn(Q("envio.006"));
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  ASSERT_EQ(prompter.dialogosArchivo.size(), 2u);  // the import's and the save's
  const DialogoArchivo& d = prompter.dialogosArchivo.back();
  EXPECT_EQ(d.titulo, Q("Guardar el archivo como:"));
  EXPECT_EQ(d.filtro, Q("Aviso de Vorarido de Tornavela 006|*.006"));
  EXPECT_EQ(d.carpetaInicial, carpeta());
  EXPECT_TRUE(d.confirmarSobrescribir);

  const QByteArray bytes = leer(primero);
  ASSERT_TRUE(bytes.endsWith("\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
  const QStringList l = lineas(primero);
  ASSERT_EQ(l.size(), 5 + 8 + 2);
  EXPECT_EQ(campo(l[0], 1), kFirma);
  EXPECT_EQ(l[1].split(QLatin1Char('\t')).mid(0, 3), (QStringList{Q("CLIENTE:"), Q("778899"), QString()}));
  EXPECT_EQ(campo(l[2], 1) + campo(l[2], 2), Q("FORMA:06"));
  EXPECT_EQ(l[3].split(QLatin1Char('\t')).mid(0, 3),
            (QStringList{Q("APLICACION:"), Q("006"), Q("Aviso de Vorarido de Tornavela")}));
  EXPECT_EQ(campo(l[4], 1), Q("CORREO: ") + kCorreoSoporte);
  EXPECT_TRUE(QString(l[5]).remove(QLatin1Char('\t')).isEmpty());
  EXPECT_EQ(l[6].split(QLatin1Char('\t')).mid(0, 8),
            (QStringList{Q("T1"), Q("T2"), Q("T3"), Q("T4"), Q("T5"), Q("T6"), Q("T7"), QString()}));
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(campo(l[6 + r], 2), Q("0123")) << r;
    EXPECT_EQ(ws->vaspread1.text(2, r), Q("123")) << r;
    EXPECT_EQ(campo(l[6 + r], 16), ws->vaspread1.text(16, r)) << r;
  }
  EXPECT_EQ(l[12].split(QLatin1Char('\t')).first(), kFirma);
  EXPECT_TRUE(l[12].mid(kFirma.size()).remove(QLatin1Char('\t')).isEmpty());
  EXPECT_EQ(campo(l[13], 1), Q("4500001234"));
  EXPECT_EQ(campo(l[13], 2), Q("Pedido Múltiple"));
  EXPECT_EQ(campo(l[14], 1), Q("4500001235"));
  // header.txt holds the header part and stays in the program folder.
  EXPECT_EQ(lineas(ws->ruta(Q("header.txt"))), l.mid(13));

  // Reopen into a cleared workspace whose header fields hold something else.
  const QStringList detalle = filas(ws->vaspread1), ordenes = filas(ws->vaSpread9);
  nuevaforma_Click(*ws);
  for (int i = 1; i <= 7; ++i) ws->Text1[i] = QStringLiteral("X%1").arg(i);
  ws->Combo2.agregar(Q("resto"));
  prompter.limpiar();
  abrir(primero);
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  const DialogoArchivo& a = prompter.dialogosArchivo.back();
  EXPECT_EQ(a.titulo, Q("Selección de archivo para Abrir"));
  EXPECT_EQ(a.nombre, Q("*.006"));
  EXPECT_EQ(a.filtro, Q("Aviso de Vorarido de Tornavela 006|*.006"));
  EXPECT_EQ(a.carpetaInicial, carpeta());

  QStringList conCeros = detalle;
  conCeros.replaceInStrings(Q("|123|"), Q("|0123|"));
  EXPECT_EQ(filas(ws->vaspread1), conCeros);
  EXPECT_EQ(ws->vaspread1.colLimit(), 16);
  ASSERT_EQ(ws->vaSpread6.dataRowCount(), 5);
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 16; ++c)
      EXPECT_EQ(ws->vaSpread6.text(c, r), c <= 15 ? ws->vaspread1.text(c, r) : QString()) << c << "," << r;
  EXPECT_EQ(filas(ws->vaSpread9), ordenes);
  for (int k = 1; k <= 2; ++k) EXPECT_TRUE(ws->vaSpread9.locked(2, k)) << k;
  EXPECT_TRUE(ws->vaSpread9.columnFlag(2));
  EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(ws->Text1[i], QStringLiteral("X%1").arg(i));
  EXPECT_EQ(ws->vaSpread9.activeCol(), 2);
  EXPECT_EQ(ws->vaSpread9.activeRow(), 1);
  EXPECT_EQ(filas(ws->vaSpread3), ordenes);  // the image keeps the header part
  // One trace line per cell from line 8 to the end: 5 + 1 + 2 lines, 16 columns.
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----abrir_archivo-----llenar datos en vaspread1 grid visible")), 8 * 16);

  for (int i = 1; i <= 7; ++i) ws->Text1[i] = QStringLiteral("T%1").arg(i);
  const QString segundo = guardarEn(Q("otra.006"));
  EXPECT_EQ(leer(segundo), bytes);
}

TEST_F(WorkfileTest, LineasDeLaBitacoraDeLosComandos) {
  unaOrden(Q("Alta"));
  const QString ruta = guardarEn(Q("envio.006"));
  QStringList t = textosLog();
  const QStringList esperadas = {
      Q("ENTRO AL EVENTO-----b_save_Click"),
      Q("ENTRO AL EVENTO-----guardar_informacion"),
      Q("ENTRO AL EVENTO-----guardar_informacion-----preparar para guardar información cancela si faltan datos en el grid"),
      Q("ENTRO A LA FUNCION-----prepararguardar"),
      Q("ENTRO A LA FUNCION-----prepararguardar-----si hay datos de detalle en archivo"),
      Q("ENTRO A LA FUNCION-----prepararguardar-----llena datos de control en el encabezado del grid vaspread3"),
      Q("ENTRO A LA FUNCION-----encabezadocampos"),
      Q("TERMINO LA FUNCION-----encabezadocampos"),
      Q("ENTRO A LA FUNCION-----prepararguardar-----Poner el detalle en el grid vaspread3"),
      Q("TRMINO LA FUNCION-----prepararguardar"),
      Q("ENTRO AL EVENTO-----guardar_informacion-----Guardar el header"),
      Q("TERMINO EL EVENTO-----guardar_informacion"),
      Q("TERMINO EL EVENTO-----b_save_Click")};
  EXPECT_EQ(t.mid(t.indexOf(esperadas.first())), esperadas);

  guardar_Click(*ws);  // cancelled dialog: silent
  t = textosLog();
  EXPECT_EQ(t.last(), Q("TERMINO EL EVENTO-----guardar_Click"));
  EXPECT_TRUE(t.contains(Q("ENTRO AL EVENTO-----guardar_Click")));
  EXPECT_TRUE(prompter.mensajes.empty());

  abrir(ruta);
  t = textosLog();
  QStringList pasos;
  for (const QString& x : t.mid(t.lastIndexOf(Q("ENTRO AL EVENTO-----abrir_archivo"))))
    if (pasos.isEmpty() || pasos.last() != x) pasos.append(x);
  const QString a = Q("ENTRO AL EVENTO-----abrir_archivo");
  EXPECT_EQ(pasos, (QStringList{a, a + Q("-----Borrar datos vaspread1"), a + Q("-----poner el cursor en la celda inicial"),
                                a + Q("-----si hay datos de detalle en archivo"),
                                a + Q("-----llenar datos en vaspread1 grid visible"),
                                a + Q("-----Borrar la parte del header del grid1"),
                                a + Q("-----Borrar la parte del header del grid6"), a + Q("-----Cargar el header"),
                                a + Q("-----Poner los valores en el Combo del Header"),
                                a + Q("-----poner el cursor en la celda inicial"), Q("TERMINO EL EVENTO-----abrir_archivo")}));
}

TEST_F(WorkfileTest, TresOrdenesQuedanComoPedidoMultipleYBloqueadas) {
  for (int r = 1; r <= 4; ++r) ws->vaspread1.setRowTexts(r, linea(QStringLiteral("45%1").arg(r % 3), Q("7"), Q("1")));
  ws->vaSpread9.setRowTexts(1, orden(Q("450"), Q("Alta")));
  ws->vaSpread9.setRowTexts(2, orden(Q("451"), Q("Baja")));
  ws->vaSpread9.setRowTexts(3, orden(Q("452"), QString()));
  const QString ruta = guardarEn(Q("tres.006"));
  ASSERT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  const QStringList l = lineas(ruta);
  ASSERT_EQ(l.size(), 4 + 8 + 3);
  EXPECT_EQ(campo(l[7], 2), Q("0007"));
  EXPECT_EQ(campo(l[11], 1), kFirma);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(ws->vaSpread9.text(2, k), Q("Pedido Múltiple"));
    EXPECT_TRUE(ws->vaSpread9.locked(2, k));
    EXPECT_EQ(campo(l[11 + k], 2), Q("Pedido Múltiple"));
  }
  EXPECT_TRUE(ws->vaSpread9.columnFlag(2));
}

TEST_F(WorkfileTest, NegativasSinDialogoNiArchivo) {
  // Nothing to save.
  b_save_Click(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("No hay información para guardar"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);

  // One order without movement type.
  unaOrden(QString());
  prompter.limpiar();
  guardararchiv_Click(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Seleccione el Tipo de Movimiento para la Orden de Compra"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);

  // A detail row without SKU: the first empty required cell in reading order.
  ws->vaSpread9.setText(2, 1, Q("Alta"));
  ws->vaspread1.setText(6, 2, QString());
  ws->vaspread1.setText(11, 3, QString());
  ws->vaspread1.setText(12, 1, QString());  // the cost may be empty
  prompter.limpiar();
  guardar_Click(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Falta Información de:\r\n\r\nSKU\r\n\r\nEn el renglón:  2"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Datos Incompletos"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Ninguno);
  EXPECT_EQ(ws->vaspread1.activeCol(), 6);
  EXPECT_EQ(ws->vaspread1.activeRow(), 2);
  EXPECT_EQ(ws->foco, Q("vaspread1"));
  EXPECT_TRUE(prompter.dialogosArchivo.empty());
  EXPECT_EQ(ws->vaspread1.text(2, 1), Q("12"));

  // Cancelled dialog: nothing written, nothing said.
  ws->vaspread1.setText(6, 2, Q("77002"));
  ws->vaspread1.setText(11, 3, Q("1"));
  prompter.limpiar();
  guardar_Click(*ws);
  EXPECT_EQ(prompter.dialogosArchivo.size(), 1u);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(QDir(carpeta()).entryList({Q("*.006")}, QDir::Files).size(), 0);
}

TEST_F(WorkfileTest, OrdenesSinDetalleSeGuardanYSeAbrenConSusOrdenes) {
  ws->vaSpread9.setRowTexts(1, orden(Q("450"), Q("Alta")));
  ws->vaSpread9.setRowTexts(2, orden(Q("451"), Q("Baja")));
  ws->Text1[3] = Q("77");
  const QString ruta = guardarEn(Q("sin.006"));
  ASSERT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  const QStringList l = lineas(ruta);
  ASSERT_EQ(l.size(), 8 + 2);
  EXPECT_EQ(campo(l[0], 1), kFirma);
  EXPECT_EQ(campo(l[6], 3), Q("77"));
  EXPECT_EQ(campo(l[7], 1), kFirma);
  EXPECT_EQ(campo(l[8], 1), Q("450"));
  EXPECT_EQ(campo(l[9], 2), Q("Pedido Múltiple"));

  nuevaforma_Click(*ws);
  ws->vaspread1.setRowTexts(1, linea(Q("999"), Q("1"), Q("1")));
  abrir(ruta);
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 2);
  EXPECT_EQ(ws->vaSpread9.text(1, 2), Q("451"));
  EXPECT_TRUE(ws->vaSpread9.locked(2, 2));

  // The same orders written without the image (an empty first line, then the
  // header part): fewer than 8 lines, nothing is taken.
  const QString vieja = escribir(Q("vieja.006"), texto::unirLineas(QStringList{QString()} + l.mid(8)));
  abrir(vieja);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
}

TEST_F(WorkfileTest, AbrirNoMezclaLasOrdenesAnterioresYLaLinea7NoCuenta) {
  unaOrden(Q("Alta"));
  const QString ruta = guardarEn(Q("una.006"));
  // Line 7 says "Baja"; the header part says "Alta".
  QStringList l = lineas(ruta);
  QStringList campos7 = l[6].split(QLatin1Char('\t'));
  campos7[1] = Q("Baja");
  l[6] = campos7.join(QLatin1Char('\t'));
  escribir(ruta, texto::unirLineas(l));

  for (int k = 1; k <= 5; ++k) ws->vaSpread9.setRowTexts(k, orden(QStringLiteral("99%1").arg(k), Q("Baja")));
  ws->Text1[2] = Q("Cambio");
  abrir(ruta);
  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 1);
  EXPECT_EQ(ws->vaSpread9.text(1, 1), Q("4500000001"));
  EXPECT_EQ(ws->vaSpread9.text(2, 1), Q("Alta"));
  EXPECT_FALSE(ws->vaSpread9.locked(2, 2));
  EXPECT_EQ(ws->Text1[2], Q("Cambio"));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);
}

TEST_F(WorkfileTest, ArchivosQueNoSonDeTrabajoODaniados) {
  unaOrden(Q("Alta"));
  const QString bueno = guardarEn(Q("bueno.006"));
  const QByteArray bytes = leer(bueno);
  const QStringList antes1 = filas(ws->vaspread1), antes9 = filas(ws->vaSpread9);
  auto sinCambios = [&](const char* caso) {
    EXPECT_EQ(filas(ws->vaspread1), antes1) << caso;
    EXPECT_EQ(filas(ws->vaSpread9), antes9) << caso;
  };
  auto rehusado = [&](const char* caso, const QString& ruta, const QString& parte) {
    prompter.limpiar();
    abrir(ruta);
    ASSERT_EQ(prompter.mensajes.size(), 1u) << caso;
    EXPECT_TRUE(prompter.mensajes[0].texto.contains(parte)) << caso << " " << prompter.ultimo().toStdString();
    EXPECT_TRUE(prompter.mensajes[0].texto.contains(Q("No se cargó ningún dato."))) << caso;
    sinCambios(caso);
  };
  rehusado("vacío", escribir(Q("vacio.006"), QByteArray()), Q("está vacío"));
  rehusado("sólo saltos", escribir(Q("saltos.006"), QByteArray("\r\n\t\t\r\n")), Q("está vacío"));
  rehusado("binario", escribir(Q("bin.006"), QByteArray("DUDIZOD3.0\r\n\x00\x01\x02", 15)), Q("no es un archivo de texto"));
  // Cut inside the detail lines: the trailer is missing.
  const qsizetype linea8 = bytes.indexOf("\r\n4500000001");
  const qsizetype linea9 = bytes.indexOf("\r\n4500000001", linea8 + 1);
  rehusado("cortado en el detalle", escribir(Q("corto.006"), bytes.left(linea9 + 8)), Q("incompleto"));
  // Cut inside the last order line.
  rehusado("cortado al final", escribir(Q("final.006"), bytes.left(bytes.size() - 8)), Q("incompleto"));

  // Missing file: the unexpected-error message, nothing changed.
  prompter.limpiar();
  abrir(dir.filePath(Q("no-existe.006")));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.ultimo().startsWith(Q("Error inesperado # 53\r\n")));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
  sinCambios("no existe");

  // More detail lines than the detail grid holds (200,000 lines).
  QByteArray grande;
  grande.reserve(200000 * 12);
  for (int i = 0; i < 200000; ++i) grande += "4500\t12\t1\r\n";
  prompter.limpiar();
  abrir(escribir(Q("grande.006"), grande));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.ultimo().contains(Q("límite es de 50000 renglones"))) << prompter.ultimo().toStdString();
  sinCambios("grande");

  // Cancelled dialog: the order list stays empty, the edit menu open.
  ws->Combo2.agregar(Q("x"));
  ws->habilitar(Q("editar"), false);
  prompter.limpiar();
  b_abrir_Click(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
  EXPECT_TRUE(ws->habilitado(Q("editar")));
  sinCambios("cancelado");

  // A text file that is no work file is loaded all the same: with fewer than
  // 8 lines no detail row, without a mark every line from 8 on a detail row.
  abrir(kDatos + QStringLiteral("pedidos_tres.inf"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
  QStringList nueve;
  for (int i = 1; i <= 9; ++i) nueve.append(QStringLiteral("L%1\tB").arg(i));
  abrir(escribir(Q("nueve.txt"), texto::unirLineas(nueve)));
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 2);
  EXPECT_EQ(ws->vaspread1.text(1, 2), Q("L9"));
  EXPECT_EQ(ws->vaSpread6.text(1, 1), Q("L8"));
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);

  // A line of 1 MB in the detail part loads without harm.
  QStringList l = lineas(bueno);
  l[8] = l[8] + QLatin1Char('\t') + QString(1 << 20, QLatin1Char('x'));
  abrir(escribir(Q("larga.006"), texto::unirLineas(l)));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 1);
}

TEST_F(WorkfileTest, SegundoGuardadoPreguntaYHeaderTxtSoloTieneElUltimo) {
  ws->vaspread1.setRowTexts(1, linea(Q("1"), Q("1"), Q("1")));
  for (int k = 1; k <= 4; ++k) ws->vaSpread9.setRowTexts(k, orden(QStringLiteral("%1").arg(k), Q("Alta")));
  const QString ruta = guardarEn(Q("a.006"));
  ASSERT_EQ(lineas(ws->ruta(Q("header.txt"))).size(), 4);
  const QByteArray primera = leer(ruta);
  guardarEn(Q("a.006"));
  EXPECT_TRUE(prompter.dialogosArchivo.back().confirmarSobrescribir);
  EXPECT_EQ(leer(ruta), primera);
  ws->vaSpread9.deleteRows(2, 3);
  guardarEn(Q("b.006"));
  const QStringList h = lineas(ws->ruta(Q("header.txt")));
  ASSERT_EQ(h.size(), 1);
  EXPECT_EQ(campo(h[0], 1), Q("1"));
}

TEST_F(WorkfileTest, EscrituraFallidaDejaElArchivoAnteriorEntero) {
  unaOrden(Q("Alta"));
  // The name is a folder.

  const QString carpetaDestino = dir.filePath(Q("destino.006"));
  QDir().mkdir(carpetaDestino);
  prompter.archivosGuardar.push_back(carpetaDestino);
  guardararchiv_Click(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.ultimo().startsWith(Q("Error inesperado # ")));
  EXPECT_TRUE(prompter.ultimo().contains(Q("\r\n")));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
  EXPECT_EQ(prompter.mensajes[0].titulo, kTituloAplicacion);
  const QStringList t = textosLog();
  EXPECT_EQ(t.last(), Q("TERMINO EL EVENTO-----guardar_informacion"));
  EXPECT_TRUE(t.contains(prompter.ultimo().section(Q("\r\n"), 0, 0)));
  EXPECT_TRUE(QFileInfo(carpetaDestino).isDir());
  EXPECT_TRUE(QDir(carpetaDestino).isEmpty());

  // A read-only target folder (permissions do not bind for the superuser).
  QDir().mkdir(dir.filePath(Q("ro")));
  const QString enSoloLectura = dir.filePath(Q("ro/envio.006"));
  escribir(enSoloLectura, QByteArray("anterior\r\n"));
  QFile::setPermissions(dir.filePath(Q("ro")), QFile::ReadOwner | QFile::ExeOwner);
  const bool valen = !QFileInfo(dir.filePath(Q("ro"))).isWritable();
  if (valen) {
    prompter.limpiar();
    prompter.archivosGuardar.push_back(enSoloLectura);
    guardararchiv_Click(*ws);
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_TRUE(prompter.ultimo().startsWith(Q("Error inesperado # ")));
    EXPECT_EQ(leer(enSoloLectura), QByteArray("anterior\r\n"));
    EXPECT_EQ(QDir(dir.filePath(Q("ro"))).entryList(QDir::Files), QStringList{Q("envio.006")});
  }
  QFile::setPermissions(dir.filePath(Q("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(WorkfileTest, CeldasConTabuladorOSaltoNoRompenElFormato) {
  unaOrden(Q("Alta"));
  // Whatever reaches a cell (typed, pasted, imported) goes through the grid,
  // which turns TAB, CR and LF into blanks.
  ws->vaspread1.setText(7, 1, Q("MOD\tA\r\nB"));
  ws->vaSpread9.setText(3, 1, Q("12\t34"));
  ws->vaspread1.setRowTexts(2, linea(Q("4500000001"), Q("1\n2"), Q("77\r1")));
  const QString ruta = guardarEn(Q("tab.006"));
  const QStringList l = lineas(ruta);
  ASSERT_EQ(l.size(), 3 + 8 + 1);
  for (int i = 7; i <= 9; ++i) EXPECT_EQ(l[i].count(QLatin1Char('\t')), 15) << i;
  EXPECT_EQ(campo(l[7], 7), Q("MOD A  B"));
  EXPECT_EQ(campo(l[8], 2), Q("1 2"));
  EXPECT_EQ(campo(l[11], 3), Q("12 34"));
}

TEST(Formato0000, NumerosConCerosYTextosSinCambio) {
  EXPECT_EQ(trabajo::formato0000(Q("12")), Q("0012"));
  EXPECT_EQ(trabajo::formato0000(Q("0012")), Q("0012"));
  EXPECT_EQ(trabajo::formato0000(Q("00012")), Q("0012"));
  EXPECT_EQ(trabajo::formato0000(Q("12345")), Q("12345"));
  EXPECT_EQ(trabajo::formato0000(Q("0")), Q("0000"));
  EXPECT_EQ(trabajo::formato0000(Q("-5")), Q("-0005"));
  EXPECT_EQ(trabajo::formato0000(Q("12.5")), Q("0013"));
  EXPECT_EQ(trabajo::formato0000(Q("9999.7")), Q("10000"));
  EXPECT_EQ(trabajo::formato0000(Q("DAMAS")), Q("DAMAS"));
  EXPECT_EQ(trabajo::formato0000(Q("12A")), Q("12A"));
  EXPECT_EQ(trabajo::formato0000(Q("1.2.3")), Q("1.2.3"));
  EXPECT_EQ(trabajo::formato0000(QString()), QString());
  EXPECT_EQ(trabajo::formato0000(Q("-")), Q("-"));
}

}  // namespace
