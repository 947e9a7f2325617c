#include "intake/inf_import.h"

#include <QDir>
#include <QFile>

#include "consolidation/form2.h"
#include "fixture.h"
#include "intake/order_selection.h"

namespace {

const QString kDatos = QStringLiteral(AVISO_TEST_DATA "/intake/");

class InfImportTest : public WorkspaceTest {
 protected:
  // Answers the consolidation dialog: adds these entries, then Aceptar.
  void elegir(const QStringList& entradas) {
    prompter.alDialogo = [this, entradas](DialogoModelo& m) {
      auto& f = dynamic_cast<Form2Modelo&>(m);
      lista1 = f.List1.textos();
      temporalDuranteDialogo = QFile::exists(ws->ruta(QStringLiteral("archtabs.tmp")));
      for (const QString& e : entradas) {
        ASSERT_TRUE(f.seleccionarList1(e)) << e.toStdString();
        f.Command1_Click();
      }
      f.Command2_Click();
    };
  }
  void importar(const QString& ruta) {
    prompter.archivosAbrir.push_back(ruta);
    importararchiv_Click(*ws);
  }
  QStringList columna(const Grid& g, int col) const {
    QStringList t;
    for (int r = 1; r <= g.dataRowCount(); ++r) t.append(g.text(col, r));
    return t;
  }
  // Every table an import fills is empty (the workspace as cleared).
  void esperarVacio() {
    EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
    EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
    EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
    EXPECT_EQ(ws->vaSpread3.dataRowCount(), 0);
    EXPECT_EQ(ws->vaSpread5.dataRowCount(), 0);
    EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
    EXPECT_FALSE(QFile::exists(ws->ruta(QStringLiteral("archtabs.tmp"))));
  }
  QString archivo(const char* nombre, const QStringList& lineas) {
    return escribir(Q(nombre), texto::unirLineas(lineas));
  }

  QStringList lista1;
  bool temporalDuranteDialogo = true;
};

TEST_F(InfImportTest, DosOrdenesConsolidadasOrdenadasYConValoresOmision) {
  ws->Text1[1] = Q("123456");
  ws->Text1[7] = Q("99.00");
  elegir({Q("4500001234 - 123"), Q("4500001235 - 123")});
  importar(kDatos + QStringLiteral("pedidos_tres.inf"));

  ASSERT_EQ(prompter.dialogosArchivo.size(), 1u);
  const DialogoArchivo& d = prompter.dialogosArchivo[0];
  EXPECT_EQ(d.titulo, Q("Selección de archivo para Importar"));
  EXPECT_EQ(d.filtro, Q("Archivo tipo inf|*.inf|Archivo de Texto |*.txt"));
  EXPECT_EQ(d.filtroInicial, 1);
  EXPECT_EQ(d.nombre, Q("*.inf"));
  EXPECT_EQ(d.carpetaInicial, carpeta());
  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form2")});
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(lista1, (QStringList{Q("4500001234 - 123"), Q("4500001235 - 123"), Q("4500001236 - 456")}));
  EXPECT_FALSE(temporalDuranteDialogo);
  EXPECT_FALSE(QFile::exists(ws->ruta(QStringLiteral("archtabs.tmp"))));

  EXPECT_EQ(ws->Combo2.entradas, (QStringList{Q("4500001234-123"), Q("4500001235-123"), Q("4500001236-456")}));
  EXPECT_FALSE(ws->habilitado(Q("Combo2")));
  EXPECT_TRUE(ws->habilitado(Q("Text2")));
  for (const char* c : {"editar", "b_cut", "b_copy", "b_paste", "b_separar"}) EXPECT_TRUE(ws->habilitado(Q(c))) << c;
  for (int i = 1; i <= 7; ++i) EXPECT_TRUE(ws->Text1[i].isEmpty()) << i;

  // By store, then SKU, in both grids alike; the other department's order is gone.
  const QStringList tiendas{Q("0101"), Q("0101"), Q("0102"), Q("0102"), Q("0103")};
  const QStringList skus{Q("77001"), Q("77002"), Q("77001"), Q("77003"), Q("77003")};
  const QStringList cantidades{Q("4"), Q("6"), Q("12"), Q("10"), Q("8")};
  for (const Grid* g : {&ws->vaspread1, &ws->vaSpread6}) {
    EXPECT_EQ(columna(*g, 5), tiendas) << g->name().toStdString();
    EXPECT_EQ(columna(*g, 6), skus);
    EXPECT_EQ(columna(*g, 11), cantidades);
    EXPECT_EQ(columna(*g, 14), QStringList(5, QString()));  // the 14th field is never taken over
    EXPECT_EQ(g->text(7, 2), Q("sin modelo"));
    EXPECT_EQ(g->text(9, 2), Q("sin color"));
    EXPECT_EQ(g->text(10, 2), Q("sin talla"));
    EXPECT_EQ(g->text(7, 1), Q("MOD-A"));
  }
  EXPECT_EQ(columna(ws->vaspread1, 16), cantidades);
  EXPECT_EQ(ws->vaspread1.colLimit(), 16);
  EXPECT_EQ(ws->vaspread1.activeCol(), 11);
  EXPECT_EQ(ws->vaspread1.activeRow(), 1);
  EXPECT_EQ(ws->vaSpread5.rowTexts(1), (QStringList{Q("123"), Q("01/12/26"), Q("20/12/26")}));
  EXPECT_EQ(ws->vaSpread3.dataRowCount(), 0);

  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 2);
  EXPECT_EQ(ws->vaSpread9.rowTexts(1), (QStringList{Q("4500001234"), Q("Pedido Múltiple"), QString(), QString(),
                                                     QString(), Q("123"), Q("07/12/2026"), Q("20/12/2026")}));
  EXPECT_EQ(ws->vaSpread9.rowTexts(2), (QStringList{Q("4500001235"), Q("Pedido Múltiple"), QString(), QString(),
                                                     QString(), Q("123"), Q("07/12/2026"), Q("22/12/2026")}));
  EXPECT_TRUE(ws->vaSpread9.locked(2, 1));
  EXPECT_TRUE(ws->vaSpread9.locked(2, 2));

  const QStringList log = textosLog();
  const auto pos = [&log](const char* t) { return log.indexOf(Q(t)); };
  EXPECT_GE(pos("ENTRO AL EVENTO-----importararchiv_Click"), 0);
  EXPECT_LT(pos("ENTRO AL EVENTO-----importararchiv_Click"), pos("ENTRO AL EVENTO-----nuevaforma_Click"));
  EXPECT_LT(pos("TERMINO EL EVENTO-----nuevaforma_Click"), pos("ENTRO AL EVENTO-----importararchiv_inf"));
  EXPECT_LT(pos("ENTRO AL EVENTO-----importararchiv_inf"), pos("MODULO2-----ENTRO A LA FUNCION-----convertirdelimitado"));
  EXPECT_LT(pos("FORM2-----ENTRO AL EVENTO-----Command2_Click"), pos("TERMINO EL EVENTO-----importararchiv_Click"));
  EXPECT_EQ(log.last(), Q("TERMINO EL EVENTO-----importararchiv_Click"));
}

TEST_F(InfImportTest, ClavesDeOrdenYRenglonEnBlanco) {
  const QString ruta = archivo("claves.inf", {Q("ENCABEZADO"), Q("10,1,,,5,A,,,,,1"), Q("10,2,,,5,B,,,,,1"),
                                              Q("10,1,,,6,C,,,,,1"), QString(), Q("20,1,,,5,D,,,,,1"), QString(),
                                              QString()});
  // The blank entry has no department, so it goes first: the same-department rule skips it.
  elegir({Q(" - "), Q("10 - 1"), Q("20 - 1")});
  importar(ruta);
  // Same order, two departments: two keys. The blank line gives "-".
  EXPECT_EQ(ws->Combo2.entradas, (QStringList{Q("10-1"), Q("10-2"), Q("-"), Q("20-1")}));
  EXPECT_EQ(lista1, (QStringList{Q("10 - 1"), Q("10 - 2"), Q("10 - 1"), Q(" - "), Q("20 - 1")}));
  // The blank line is a detail row holding nothing but the three defaults.
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 4);
  EXPECT_EQ(ws->vaspread1.rowTexts(1), (QStringList{QString(), QString(), QString(), QString(), QString(), QString(),
                                                     Q("sin modelo"), QString(), Q("sin color"), Q("sin talla")}));
  EXPECT_EQ(columna(ws->vaspread1, 6), (QStringList{QString(), Q("A"), Q("D"), Q("C")}));
  EXPECT_EQ(columna(ws->vaSpread9, 1), (QStringList{Q("10"), QString(), Q("20")}));
}

TEST_F(InfImportTest, CamposCatorceYDieciseis) {
  const QString ruta = archivo("campos.inf", {Q("ENCABEZADO"),
                                              Q("1,2,01/12/26,20/12/26,5,6,7,8,9,10,11,12,13,14,15,16,17"),
                                              Q("1,2,01/12/26,20/12/26,5,7,M,U,C,T,3,12,13,14")});
  elegir({Q("1 - 2")});
  importar(ruta);
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 2);
  // Fields after the 15th are dropped: column 16 keeps the ordered quantity.
  EXPECT_EQ(ws->vaspread1.rowTexts(1), (QStringList{Q("1"), Q("2"), Q("01/12/26"), Q("20/12/26"), Q("5"), Q("6"),
                                                     Q("7"), Q("8"), Q("9"), Q("10"), Q("11"), Q("12"), Q("13"),
                                                     QString(), Q("15"), Q("11")}));
  EXPECT_EQ(ws->vaSpread6.rowTexts(1).size(), 15);
  EXPECT_EQ(ws->vaSpread6.text(15, 1), Q("15"));
  EXPECT_TRUE(ws->vaspread1.text(14, 2).isEmpty());
  EXPECT_TRUE(ws->vaSpread6.text(14, 2).isEmpty());
  EXPECT_EQ(ws->vaspread1.text(16, 2), Q("3"));
  EXPECT_TRUE(ws->vaspread1.text(15, 2).isEmpty());
}

TEST_F(InfImportTest, ColumnaDieciseisTrasUnaImportacionDeQuinceColumnas) {
  ws->vaspread1.setColLimit(15);  // as the tab-delimited import leaves it
  const QString ruta = archivo("q.inf", {Q("E"), Q("1,2,,,5,6,,,,,9")});
  elegir({Q("1 - 2")});
  importar(ruta);
  EXPECT_EQ(ws->vaspread1.colLimit(), 16);
  EXPECT_EQ(ws->vaspread1.text(16, 1), Q("9"));
}

TEST_F(InfImportTest, ConvertirDelimitadoEscribeTabuladoresYCrLf) {
  QStringList lineas{Q("a,b,,c"), Q("Señor,1"), Q("x")};
  const texto::Resultado r = convertirdelimitado(*ws, lineas, Q(","));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(lineas, QStringList({Q("a\tb\t\tc"), Q("Señor\t1"), Q("x")}));
  EXPECT_EQ(leer(ws->ruta(Q("archtabs.tmp"))), QByteArray("a\tb\t\tc\r\nSe\xf1or\t1\r\nx\r\n"));
  EXPECT_TRUE(textosLog().contains(Q("MODULO2-----ENTRO A LA FUNCION-----convertirdelimitado")));
}

TEST_F(InfImportTest, DialogoCanceladoTerminaEnSilencio) {
  b_import_Click(*ws);  // no answer: cancelled
  prompter.archivosAbrir.push_back(Q("*.inf"));
  escribir(Q("x.inf"), "E\r\n1,2\r\n");
  const QString antes = QDir::currentPath();
  QDir::setCurrent(carpeta());
  importararchiv_Click(*ws);  // the pattern of a cancelled dialog is never opened
  QDir::setCurrent(antes);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  esperarVacio();
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(Q("ENTRO AL EVENTO-----b_import_Click")));
  EXPECT_TRUE(log.contains(Q("TERMINO EL EVENTO-----b_import_Click")));
  EXPECT_FALSE(log.contains(Q("MODULO2-----ENTRO A LA FUNCION-----convertirdelimitado")));
}

TEST_F(InfImportTest, BotonDeImportarLimpiaSinvalidarYElArchivoTemporalViejo) {
  ws->sinvalidar = true;
  escribir(Q("archtabs.tmp"), "viejo\r\n");
  b_import_Click(*ws);
  EXPECT_FALSE(ws->sinvalidar);
  EXPECT_FALSE(QFile::exists(ws->ruta(Q("archtabs.tmp"))));
  // The menu command leaves the flag alone; the button Importar runs the menu command.
  ws->sinvalidar = true;
  Importar_Click(*ws);
  EXPECT_TRUE(ws->sinvalidar);
  const QStringList log = textosLog();
  const int i = log.indexOf(Q("ENTRO AL EVENTO-----Importar_Click"));
  ASSERT_GE(i, 0);
  EXPECT_EQ(log.value(i + 1), Q("ENTRO AL EVENTO-----importararchiv_Click"));
  EXPECT_EQ(log.last(), Q("TERMINO EL EVENTO-----Importar_Click"));
}

TEST_F(InfImportTest, ArchivoInexistente) {
  ws->vaspread1.setText(1, 1, Q("anterior"));
  const QString ruta = carpeta() + Q("/no_hay.inf");
  importar(ruta);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("El archivo: ") + ruta + Q(" no se encuentra"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Datos incorrectos"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Ninguno);
  esperarVacio();
  // A folder is no file either.
  prompter.limpiar();
  importar(carpeta());
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("El archivo: ") + carpeta() + Q(" no se encuentra"));
}

TEST_F(InfImportTest, CancelarAbandonaLaImportacion) {
  prompter.alDialogo = [](DialogoModelo& m) {
    auto& f = dynamic_cast<Form2Modelo&>(m);
    f.seleccionarList1(Q("4500001234 - 123"));
    f.Command1_Click();
    f.Command4_Click();
  };
  ws->habilitar(Q("editar"), false);
  importar(kDatos + QStringLiteral("pedidos_tres.inf"));
  esperarVacio();
  EXPECT_FALSE(ws->habilitado(Q("editar")));
  EXPECT_EQ(textosLog().last(), Q("TERMINO EL EVENTO-----importararchiv_Click"));
}

TEST_F(InfImportTest, DialogoCerradoSinBotonEsCancelar) {
  importar(kDatos + QStringLiteral("pedidos_tres.inf"));  // no script: the window just closes
  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form2")});
  esperarVacio();
}

TEST_F(InfImportTest, ElegirEnComboDosTrasLaConsolidacionNoBorraLineas) {
  elegir({Q("4500001234 - 123")});
  importar(kDatos + QStringLiteral("pedidos_tres.inf"));
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 3);
  ws->Combo2.indice = 0;
  ws->Combo2.texto = ws->Combo2.entradas[0];
  Combo2_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 3);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 1);
  // Leaving the closed list asks for nothing.
  Combo2_LostFocus(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(InfImportTest, ArchivosQueNoSirven) {
  struct Caso {
    const char* nombre;
    QByteArray bytes;
    const char* fin;
  };
  const Caso casos[] = {
      {"vacio.inf", QByteArray(), " no contiene órdenes de compra"},
      {"blancos.inf", QByteArray("\r\n\r\n\r\n"), " no contiene órdenes de compra"},
      {"encabezado.inf", QByteArray("OC,DEPTO,FECHA\r\n"), " no contiene órdenes de compra"},
      {"binario.inf", QByteArray("OC,DEPTO\r\n1,2\0\x01\x02,3\r\n", 20),
       " no es un archivo de texto con órdenes de compra.\r\nNo se cargó ningún dato."},
      {"utf16.inf", QByteArray("\xff\xfeO\0C\0", 6), " no es un archivo de texto con órdenes de compra.\r\nNo se cargó ningún dato."},
  };
  for (const Caso& c : casos) {
    prompter.limpiar();
    prompter.dialogosVistos.clear();
    ws->vaspread1.setText(1, 1, Q("anterior"));
    const QString ruta = escribir(Q(c.nombre), c.bytes);
    importar(ruta);
    ASSERT_EQ(prompter.mensajes.size(), 1u) << c.nombre;
    EXPECT_EQ(prompter.mensajes[0].texto, Q("El archivo: ") + ruta + Q(c.fin)) << c.nombre;
    EXPECT_EQ(prompter.mensajes[0].titulo, Q("Datos incorrectos"));
    EXPECT_TRUE(prompter.dialogosVistos.isEmpty()) << c.nombre;
    esperarVacio();
  }
}

TEST_F(InfImportTest, LineasLargasYBytesSinCaracter) {
  // One very long line and the five bytes Windows-1252 leaves unassigned: loaded unchanged.
  const QByteArray largo(200000, 'x');
  const QString ruta = escribir(Q("largo.inf"), "OC\r\n1,2,,,5,\x81\x8d\x8f\x90\x9d,M," + largo + "\r\n");
  elegir({Q("1 - 2")});
  importar(ruta);
  ASSERT_TRUE(prompter.mensajes.empty());
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 1);
  EXPECT_EQ(ws->vaspread1.text(8, 1).size(), 200000);
  EXPECT_EQ(texto::a1252(ws->vaspread1.text(6, 1)), QByteArray("\x81\x8d\x8f\x90\x9d"));
}

TEST_F(InfImportTest, CarpetaDelProgramaSinEscrituraDaErrorInesperado) {
  // A program folder that cannot hold archtabs.tmp (here: a path below a file).
  const QString falsa = escribir(Q("no_es_carpeta"), "x");
  Workspace otro(falsa, prompter, reloj);
  prompter.archivosAbrir.push_back(kDatos + QStringLiteral("pedidos_tres.inf"));
  importararchiv_Click(otro);
  const auto it = std::find_if(prompter.mensajes.begin(), prompter.mensajes.end(),
                               [](const Mensaje& m) { return m.texto.startsWith(Q("Error inesperado # ")); });
  ASSERT_NE(it, prompter.mensajes.end());
  EXPECT_EQ(it->icono, Icono::Critico);
  EXPECT_EQ(it->titulo, Q("DUDIZOD"));
  EXPECT_TRUE(it->texto.contains(Q("\r\n")));
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  EXPECT_EQ(otro.vaspread1.dataRowCount(), 0);
  EXPECT_TRUE(otro.Combo2.entradas.isEmpty());
}

#ifdef Q_OS_LINUX
TEST_F(InfImportTest, ArchivoQueNoSePuedeLeer) {
  // Reading this file fails at once with an I/O error, also for root.
  importar(Q("/proc/self/mem"));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.mensajes[0].texto.startsWith(Q("Error inesperado # "))) << prompter.mensajes[0].texto.toStdString();
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(prompter.mensajes[0].texto.split(Q("\r\n")).first()));
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  esperarVacio();
}
#endif

TEST_F(InfImportTest, LimiteDeRenglones) {
  QByteArray bytes = "ENCABEZADO\r\n";
  for (int i = 0; i < 50001; ++i) bytes += "1,2,,,5,6,,,,,1\r\n";
  const QString ruta = escribir(Q("grande.inf"), bytes);
  importar(ruta);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto,
            Q("No se puede continuar: se necesitan 50001 renglones y el límite es de 50000 renglones.\r\n"
              "No se cambió ningún dato."));
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  esperarVacio();

  // Exactly the limit of order lines (one line more with the heading) loads whole.
  prompter.limpiar();
  bytes.chop(17);
  escribir(Q("grande.inf"), bytes);
  elegir({Q("1 - 2")});
  importar(ruta);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 50000);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 50000);
  EXPECT_EQ(ws->vaSpread3.rowLimit(), 50000);
}

}  // namespace
