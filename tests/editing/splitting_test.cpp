// Splitting a detail line over several containers: the fixed-size dialogs
// (2, 3, 4, 5, 10 lines), the any-size dialog Form3, their refusals and what
// stays in both tables.
#include "editing/splitting.h"

#include <functional>

#include "editing/detail_rules.h"
#include "fixture.h"

namespace {

constexpr uint32_t kAzul = kColorSeparacion;

class SepararTest : public WorkspaceTest {
 protected:
  // Four lines, SKU1..SKU4, store 0101, quantity and ordered quantity `cantidad`
  // on line 2 (the others 7); the cursor on the quantity of line 2.
  void lineas(const QString& cantidad = Q("10")) {
    for (int r = 1; r <= 4; ++r) {
      const QString q = r == 2 ? cantidad : Q("7");
      const QStringList celdas = {Q("4500001234"), Q("123"), Q("01/12/26"), Q("20/12/26"), Q("0101"),
                                  QStringLiteral("SKU%1").arg(r), Q("sin modelo"), Q("750100000000"),
                                  Q("sin color"), Q("sin talla"), q, Q("10.00"), Q("20.00"),
                                  Q("Cajas - azules"), QStringLiteral("A%1").arg(r)};
      ws->vaspread1.setRowTexts(r, celdas);
      ws->vaspread1.setText(16, r, q);
      ws->vaSpread6.setRowTexts(r, celdas);
    }
    ws->vaspread1.setActiveCell(11, 2);
  }

  // The dialog opened next gets these quantities and the button pressed.
  void responderFijo(const QStringList& cantidades, bool aceptar = true) {
    prompter.alDialogo = [this, cantidades, aceptar](DialogoModelo& d) {
      auto* m = dynamic_cast<SepararModelo*>(&d);
      ASSERT_NE(m, nullptr);
      visto = {m->SKU, m->Tienda, m->CantidadMaxima};
      renglonesVistos = m->renglones();
      for (int k = 0; k < cantidades.size() && k < m->renglones(); ++k) m->cantidades[k] = cantidades[k];
      sinvalidarAbierto = ws->sinvalidar;
      aceptar ? m->Command1_Click() : m->Command2_Click();
      cerradoTrasBoton = m->cerrado;
    };
  }
  void responderForm3(const std::function<void(Form3Modelo&)>& f) {
    prompter.alDialogo = [this, f](DialogoModelo& d) {
      auto* m = dynamic_cast<Form3Modelo*>(&d);
      ASSERT_NE(m, nullptr);
      visto = {m->SKU, m->Tienda, m->CantMax};
      sinvalidarAbierto = ws->sinvalidar;
      mensajesAlAbrir = static_cast<int>(prompter.mensajes.size());
      f(*m);
    };
  }
  // Types the number of rows and the quantities as the user would, then accepts.
  static void llenar(Form3Modelo& m, const QStringList& cantidades) {
    m.Text3 = QString::number(cantidades.size());
    m.Text3_LostFocus();
    for (int i = 0; i < cantidades.size(); ++i) m.vaSpread1.setText(1, i + 1, cantidades[i]);
    m.Command1_Click();
  }

  QStringList cantidades(const Grid& g) const {
    QStringList q;
    for (int r = 1; r <= g.dataRowCount(); ++r) q.append(g.text(11, r));
    return q;
  }
  // Columns 1..14 but 11 of row r carry the split colour; 11 and 15 none.
  ::testing::AssertionResult coloreado(int r) const {
    for (int c = 1; c <= 15; ++c) {
      const bool debe = c <= 14 && c != 11;
      const uint32_t color = ws->vaspread1.backColor(c, r);
      if (debe ? color != kAzul : color != Grid::kSinColor)
        return ::testing::AssertionFailure() << "row " << r << " col " << c;
    }
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult sinColor(int r) const {
    for (int c = 1; c <= 16; ++c)
      if (ws->vaspread1.backColor(c, r) != Grid::kSinColor)
        return ::testing::AssertionFailure() << "row " << r << " col " << c;
    return ::testing::AssertionSuccess();
  }
  // Both tables as they were: the four lines and nothing else.
  void sinCambios(const QString& cantidad = Q("10")) {
    EXPECT_EQ(ws->vaspread1.dataRowCount(), 4);
    EXPECT_EQ(ws->vaSpread6.dataRowCount(), 4);
    EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), cantidad, Q("7"), Q("7")}));
    EXPECT_EQ(cantidades(ws->vaSpread6), QStringList({Q("7"), cantidad, Q("7"), Q("7")}));
    for (int r = 1; r <= 4; ++r) EXPECT_TRUE(sinColor(r));
  }

  // A fresh workspace and a prompter with nothing recorded.
  void otraVez(const QString& cantidad = Q("10")) {
    reiniciar();
    prompter.limpiar();
    prompter.dialogosVistos.clear();
    prompter.alDialogo = nullptr;
    lineas(cantidad);
  }

  QStringList visto;
  int renglonesVistos = 0;
  bool sinvalidarAbierto = false;
  bool cerradoTrasBoton = false;
  int mensajesAlAbrir = -1;
};

TEST_F(SepararTest, DosRenglonesLlevaLasCantidadesDeAbajoArribaYColoreaLaCopia) {
  lineas();
  ws->vaspread1.setBackColor(3, 2, 0x112233);  // the source keeps its own colours
  responderFijo({Q("4"), Q("6")});
  two_Click(*ws);

  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form6")});
  EXPECT_EQ(visto, QStringList({Q("SKU2"), Q("0101"), Q("10")}));
  EXPECT_EQ(renglonesVistos, 2);
  EXPECT_TRUE(sinvalidarAbierto);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_FALSE(ws->sinvalidar);
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("6"), Q("4"), Q("7"), Q("7")}));
  EXPECT_EQ(cantidades(ws->vaSpread6), cantidades(ws->vaspread1));
  // The copy is the whole line, the hidden ordered quantity too; the rows below moved down.
  EXPECT_EQ(ws->vaspread1.text(6, 3), Q("SKU2"));
  EXPECT_EQ(ws->vaspread1.text(15, 3), Q("A2"));
  EXPECT_EQ(ws->vaspread1.text(16, 3), Q("10"));
  EXPECT_EQ(ws->vaSpread6.text(6, 3), Q("SKU2"));
  EXPECT_EQ(ws->vaspread1.text(6, 4), Q("SKU3"));
  EXPECT_EQ(ws->vaSpread6.text(6, 5), Q("SKU4"));
  EXPECT_TRUE(coloreado(3));
  EXPECT_EQ(ws->vaspread1.backColor(3, 2), 0x112233u);
  EXPECT_EQ(ws->vaspread1.backColor(4, 2), Grid::kSinColor);
  EXPECT_EQ(ws->vaspread1.activeRow(), 3);  // the last copy
  EXPECT_EQ(ws->ultimaInsercion.filaOrigen, 2);
  EXPECT_EQ(ws->ultimaInsercion.filaDuplicada, 3);
  EXPECT_FALSE(ws->aplicandoSeparacion);
  // Like a duplication, the split leaves the copied line of the store on the clipboard.
  EXPECT_EQ(prompter.leerPortapapeles(), ws->vaSpread6.rowTexts(2).mid(0, 10).join(QLatin1Char('\t')) +
                                             Q("\t10\t10.00\t20.00\tCajas - azules\tA2"));
  EXPECT_EQ(textosLog().count(Q("ENTRO EN LA FUNCION-----duplicarrenglon")), 1);
  EXPECT_EQ(textosLog().count(Q("TERMINO LA FUNCION-----duplicarspread6")), 1);
  EXPECT_TRUE(textosLog().contains(Q("ENTRO A LA FUNCION-----dosrenglones")));
  EXPECT_TRUE(textosLog().contains(Q("FORM6-----ENTRO AL EVENTO-----Command1_Click")));
  EXPECT_TRUE(textosLog().contains(Q("TERMINO LA FUNCION-----dosrenglones")));
}

TEST_F(SepararTest, UnaSumaMenorSeAceptaYUnaMayorCierraSinCambios) {
  lineas();
  responderFijo({Q("3"), Q("3")});
  dosrenglones(*ws);
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("3"), Q("3"), Q("7"), Q("7")}));
  EXPECT_EQ(cantidades(ws->vaSpread6), cantidades(ws->vaspread1));

  otraVez();
  responderFijo({Q("6"), Q("5")});
  dosrenglones(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("La sumatoria de cant1 y cant2 pasa la cantidad máxima del SKU <SKU2> "));
  EXPECT_EQ(prompter.mensajes[0].titulo, kTituloAplicacion);
  EXPECT_TRUE(cerradoTrasBoton);
  sinCambios();
  EXPECT_FALSE(ws->sinvalidar);

  // The other dialogs have their own text for the same refusal.
  prompter.limpiar();
  responderFijo({Q("5"), Q("5"), Q("1")});
  tresrenglones(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("La sumatoria de las cantidades pasa la cantidad máxima del SKU <SKU2> "));
  EXPECT_TRUE(textosLog().contains(Q("FORM9-----ENTRO AL EVENTO-----Command1_Click")));
  sinCambios();
}

TEST_F(SepararTest, DiezRenglonesDeUnoYLasDemasFormas) {
  lineas();
  responderFijo(QStringList(10, Q("1")));
  ten_Click(*ws);
  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form8")});
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 13);
  for (int r = 2; r <= 11; ++r) {
    EXPECT_EQ(ws->vaspread1.text(11, r), Q("1"));
    EXPECT_EQ(ws->vaSpread6.text(11, r), Q("1"));
    EXPECT_EQ(ws->vaspread1.text(6, r), Q("SKU2"));
  }
  for (int r = 3; r <= 11; ++r) EXPECT_TRUE(coloreado(r));
  EXPECT_TRUE(sinColor(2));
  EXPECT_EQ(ws->vaspread1.text(6, 12), Q("SKU3"));
  EXPECT_EQ(ws->vaspread1.activeRow(), 11);
  EXPECT_EQ(ws->ultimaInsercion.filaOrigen, 10);
  EXPECT_EQ(ws->ultimaInsercion.filaDuplicada, 11);
  EXPECT_EQ(textosLog().count(Q("ENTRO EN LA FUNCION-----duplicarrenglon")), 9);
  EXPECT_TRUE(textosLog().contains(Q("ENTRO AL EVENTO-----diezrenglones")));
  EXPECT_TRUE(textosLog().contains(Q("FORM8-----ENTRO AL EVENTO-----Command1_Click")));

  // "Cant 1" lands on the lowest copy, the last box on the source line.
  otraVez();
  responderFijo({Q("1"), Q("2"), Q("3"), Q("4")});
  four_Click(*ws);
  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form10")});
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("4"), Q("3"), Q("2"), Q("1"), Q("7"), Q("7")}));
  EXPECT_EQ(cantidades(ws->vaSpread6), cantidades(ws->vaspread1));
  EXPECT_TRUE(textosLog().contains(Q("TERMINO EL EVENTO-----cuatrorenglones")));

  otraVez();
  responderFijo({Q("1"), Q("1"), Q("1"), Q("1"), Q("1")});
  five_Click(*ws);
  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form7")});
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 8);
  const QStringList log = textosLog();
  const auto i = log.indexOf(Q("ENTRO AL EVENTO-----five_Click"));
  ASSERT_GE(i, 0);
  EXPECT_EQ(log.mid(i, 3), QStringList({Q("ENTRO AL EVENTO-----five_Click"), Q("ENTRO A LA FUNCION-----cincorenglones"),
                                        Q("FORM7-----ENTRO AL EVENTO-----Command1_Click")}));
  EXPECT_TRUE(log.contains(Q("TERMINO EL EVENTO-----five_Click")));
}

TEST_F(SepararTest, EtiquetasYTitulosDeCadaForma) {
  struct Caso {
    int n;
    const char* forma;
    const char* titulo;
    const char* segunda;
  };
  for (const Caso& c : {Caso{2, "Form6", "Separar renglón", "Cant 2"}, Caso{3, "Form9", "Separar en tres renglones", "Cant 2"},
                        Caso{4, "Form10", "Separar renglón", "Cant 2"},
                        Caso{5, "Form7", "Separar en cinco renglones", "Camt 2"},
                        Caso{10, "Form8", "Separar en diez renglones", "Camt 2"}}) {
    SepararModelo m(*ws, c.n);
    EXPECT_EQ(m.forma(), Q(c.forma));
    EXPECT_EQ(m.titulo(), Q(c.titulo));
    EXPECT_EQ(m.renglones(), c.n);
    EXPECT_EQ(m.etiqueta(1), Q("Cant 1"));
    EXPECT_EQ(m.etiqueta(2), Q(c.segunda));
    EXPECT_EQ(m.etiqueta(c.n), QStringLiteral("Cant %1").arg(c.n));
  }
  EXPECT_EQ(SepararModelo::kEtiquetaMaxima, Q("Cantidad   máxima"));
}

TEST_F(SepararTest, CajasVaciasONoNumericasDejanElDialogoAbierto) {
  lineas();
  struct Caso {
    QStringList valores;
    const char* texto;
    const char* titulo;
    const char* foco;
  };
  const Caso casos[] = {
      {{Q(""), Q("3")}, "Falta el valor para cant 1!", "Datos Incompletos", "cant1"},
      {{Q("3"), Q("")}, "Falta el valor para cant 2!", "Datos Incompletos", "cant2"},
      {{Q("3"), Q("dos")}, "El valor para cant 2 no es un número!", "Datos incorrectos", "cant2"},
      {{Q("3abc"), Q("2")}, "El valor para cant 1 no es un número!", "Datos incorrectos", "cant1"},
      {{Q("-2"), Q("12")}, "El valor para cant 1 no puede ser negativo!", "Datos incorrectos", "cant1"},
  };
  for (const Caso& c : casos) {
    prompter.limpiar();
    SepararModelo m(*ws, 2);
    m.CantidadMaxima = Q("10");
    m.SKU = Q("SKU2");
    m.cantidades = c.valores;
    m.Command1_Click();
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_EQ(prompter.mensajes[0].texto, Q(c.texto));
    EXPECT_EQ(prompter.mensajes[0].titulo, Q(c.titulo));
    EXPECT_FALSE(m.cerrado);
    EXPECT_EQ(m.foco, Q(c.foco));
    sinCambios();
  }
  // The ten-row dialog names its tenth box.
  prompter.limpiar();
  SepararModelo diez(*ws, 10);
  diez.CantidadMaxima = Q("10");
  for (int k = 0; k < 9; ++k) diez.cantidades[k] = Q("1");
  diez.Command1_Click();
  EXPECT_EQ(prompter.ultimo(), Q("Falta el valor para cant 10!"));
  EXPECT_EQ(diez.foco, Q("cant10"));

  // A maximum that is no number closes the dialog without a change.
  prompter.limpiar();
  SepararModelo m(*ws, 2);
  m.CantidadMaxima = Q("diez");
  m.cantidades = QStringList({Q("1"), Q("1")});
  m.Command1_Click();
  EXPECT_EQ(prompter.ultimo(), Q("La cantidad máxima del SKU no es un número!"));
  EXPECT_TRUE(m.cerrado);
  EXPECT_FALSE(m.aplicado);
  sinCambios();

  // Cancelar closes with nothing changed.
  responderFijo({Q("1"), Q("1")}, false);
  dosrenglones(*ws);
  EXPECT_TRUE(cerradoTrasBoton);
  sinCambios();
  EXPECT_FALSE(ws->sinvalidar);
}

TEST_F(SepararTest, LasLineasQueNoSePuedenDividirNoAbrenDialogo) {
  lineas(Q("1"));
  responderFijo({Q("1"), Q("1")});
  for (auto* abrir : {&two_Click, &three_Click, &four_Click, &five_Click, &ten_Click}) {
    prompter.limpiar();
    ws->sinvalidar = false;
    abrir(*ws);
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_EQ(prompter.mensajes[0].texto, Q("No puede dividir un SKU con 1 articulo!"));
    EXPECT_EQ(prompter.mensajes[0].titulo, Q("ERROR"));
    EXPECT_FALSE(ws->sinvalidar);  // a refused split gives the checks back
  }
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  sinCambios(Q("1"));

  // Empty and non-numeric quantities; no line under the cursor; an empty grid.
  const QString sinCantidad = Q("El renglón no tiene una cantidad válida: no se puede dividir el SKU!");
  for (const char* malo : {"", "abc", "5 cajas"}) {
    otraVez(Q(malo));
    ws->sinvalidar = false;
    two_Click(*ws);
    mult_renglones_Click(*ws);
    EXPECT_EQ(prompter.textos(), QStringList(2, sinCantidad)) << malo;
    EXPECT_EQ(prompter.mensajes[0].titulo, Q("ERROR"));
    EXPECT_TRUE(prompter.dialogosVistos.isEmpty()) << malo;
    sinCambios(Q(malo));
  }
  otraVez();
  ws->vaspread1.setActiveCell(11, 9);
  two_Click(*ws);
  b_separar_Click(*ws);
  EXPECT_EQ(prompter.textos(), QStringList(2, sinCantidad));
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  sinCambios();

  reiniciar();
  prompter.limpiar();
  ten_Click(*ws);
  mult_renglones_Click(*ws);
  EXPECT_EQ(prompter.textos(), QStringList(2, Q("No hay datos en el grid!")));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Información Incompleta"));
  EXPECT_TRUE(prompter.dialogosVistos.isEmpty());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
}

TEST_F(SepararTest, Form3LlevaLasCantidadesDeArribaAbajo) {
  lineas();
  responderForm3([](Form3Modelo& m) { llenar(m, {Q("2"), Q("3"), Q("5")}); });
  b_separar_Click(*ws);
  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form3")});
  EXPECT_EQ(visto, QStringList({Q("SKU2"), Q("0101"), Q("10")}));
  EXPECT_EQ(mensajesAlAbrir, 0);       // loading says nothing
  EXPECT_FALSE(sinvalidarAbierto);     // and leaves the checks on
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_FALSE(ws->sinvalidar);
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("2"), Q("3"), Q("5"), Q("7"), Q("7")}));
  EXPECT_EQ(cantidades(ws->vaSpread6), cantidades(ws->vaspread1));
  EXPECT_TRUE(sinColor(2));
  EXPECT_TRUE(coloreado(3));
  EXPECT_TRUE(coloreado(4));
  EXPECT_TRUE(sinColor(5));
  EXPECT_EQ(ws->vaspread1.text(16, 4), Q("10"));
  EXPECT_EQ(ws->vaspread1.activeRow(), 4);
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(Q("ENTRO AL EVENTO-----b_separar_Click")));
  EXPECT_TRUE(log.contains(Q("ENTRO AL EVENTO-----mult_renglones_Click")));
  EXPECT_TRUE(log.contains(Q("FORM3-----ENTRO AL EVENTO-----Form_Load")));
  EXPECT_TRUE(log.contains(Q("FORM3-----ENTRO AL EVENTO-----Command1_Click")));
  EXPECT_TRUE(log.contains(Q("TERMINO EL EVENTO-----mult_renglones_Click")));
  EXPECT_TRUE(log.contains(Q("TERMINO EL EVENTO-----b_separar_Click")));

  // Decimal quantities are written as typed.
  otraVez(Q("5"));
  responderForm3([](Form3Modelo& m) { llenar(m, {Q("2.5"), Q("2.5")}); });
  mult_renglones_Click(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("2.5"), Q("2.5"), Q("7"), Q("7")}));

  // The fixed-size dialogs take decimals as well.
  otraVez(Q("5"));
  responderFijo({Q("2.5"), Q("2.5")});
  dosrenglones(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(cantidades(ws->vaSpread6), QStringList({Q("7"), Q("2.5"), Q("2.5"), Q("7"), Q("7")}));

  // A line of 1 opens Form3, which refuses any total above 1.
  otraVez(Q("1"));
  bool abierto = false;
  responderForm3([&](Form3Modelo& m) {
    abierto = true;
    llenar(m, {Q("1"), Q("1")});
    EXPECT_FALSE(m.cerrado);
    m.Command2_Click();
  });
  mult_renglones_Click(*ws);
  EXPECT_TRUE(abierto);
  EXPECT_EQ(prompter.textos(),
            QStringList{Q("La sumatoria de las cantidades sobrepasa la cantidad máxima del SKU <SKU2> ")});
  sinCambios(Q("1"));
}

TEST_F(SepararTest, Form3RechazaYSeQuedaAbierto) {
  lineas();
  struct Paso {
    std::function<void(Form3Modelo&)> hacer;
    const char* texto;
    const char* titulo;
    Icono icono;
  };
  const Paso pasos[] = {
      {[](Form3Modelo&) {}, "Debe especificar el número de renglones en que desea dividir el SKU.", "Aviso",
       Icono::Informacion},
      {[](Form3Modelo& m) { m.Text3 = Q("0"); }, "Debe especificar el número de renglones en que desea dividir el SKU.",
       "Aviso", Icono::Informacion},
      {[](Form3Modelo& m) { m.Text3 = Q("3"); m.Text3_LostFocus(); m.vaSpread1.setText(1, 1, Q("2")); },
       "No se pueden dejar renglones en blanco o en ceros.", "Aviso", Icono::Exclamacion},
      {[](Form3Modelo& m) { m.vaSpread1.setText(1, 2, Q("0")); m.vaSpread1.setText(1, 3, Q("1")); },
       "No se pueden dejar renglones en blanco o en ceros.", "Aviso", Icono::Exclamacion},
      {[](Form3Modelo& m) { m.vaSpread1.setText(1, 2, Q("tres")); },
       "La cantidad del renglón 2 debe ser un número mayor que cero.", "Aviso", Icono::Exclamacion},
      {[](Form3Modelo& m) { m.vaSpread1.setText(1, 2, Q("-3")); },
       "La cantidad del renglón 2 debe ser un número mayor que cero.", "Aviso", Icono::Exclamacion},
      {[](Form3Modelo& m) { m.vaSpread1.setText(1, 2, Q("9")); },
       "La sumatoria de las cantidades sobrepasa la cantidad máxima del SKU <SKU2> ", "DUDIZOD", Icono::Ninguno},
      // Rows beyond the grid: the typed number is applied before the check.
      {[](Form3Modelo& m) { m.vaSpread1.setText(1, 2, Q("3")); m.Text3 = Q("4"); },
       "No se pueden dejar renglones en blanco o en ceros.", "Aviso", Icono::Exclamacion},
      {[](Form3Modelo& m) { m.Text3 = Q("tres"); }, "El número de renglones debe ser un número entero mayor que cero.",
       "Aviso", Icono::Exclamacion},
      {[](Form3Modelo& m) { m.Text3 = Q("2.5"); }, "El número de renglones debe ser un número entero mayor que cero.",
       "Aviso", Icono::Exclamacion},
      {[](Form3Modelo& m) { m.Text3 = Q("100000"); }, "El número de renglones no puede ser mayor que 50000.", "Aviso",
       Icono::Exclamacion},
      {[](Form3Modelo& m) { m.Text3 = Q("99999999999999999999"); },
       "El número de renglones no puede ser mayor que 50000.", "Aviso", Icono::Exclamacion},
  };
  responderForm3([&](Form3Modelo& m) {
    for (const Paso& p : pasos) {
      prompter.limpiar();
      p.hacer(m);
      m.Command1_Click();
      ASSERT_EQ(prompter.mensajes.size(), 1u) << p.texto;
      EXPECT_EQ(prompter.mensajes[0].texto, Q(p.texto));
      EXPECT_EQ(prompter.mensajes[0].titulo, Q(p.titulo));
      EXPECT_EQ(prompter.mensajes[0].icono, p.icono) << p.texto;
      EXPECT_FALSE(m.cerrado) << p.texto;
      EXPECT_TRUE(ws->sinvalidar) << p.texto;
    }
    // The refused numbers left the grid as it was; leaving the box refuses them too.
    EXPECT_EQ(m.filas(), 4);
    prompter.limpiar();
    m.Text3 = Q("100000");
    EXPECT_FALSE(m.Text3_LostFocus());
    EXPECT_EQ(prompter.ultimo(), Q("El número de renglones no puede ser mayor que 50000."));
    EXPECT_EQ(m.foco, Q("Text3"));
    EXPECT_EQ(m.filas(), 4);
    // Fewer rows keep the quantities already typed.
    m.Text3 = Q("2");
    EXPECT_TRUE(m.Text3_LostFocus());
    EXPECT_EQ(m.filas(), 2);
    EXPECT_EQ(m.vaSpread1.text(1, 2), Q("3"));
    m.Command2_Click();
  });
  mult_renglones_Click(*ws);
  sinCambios();
}

TEST_F(SepararTest, ElLimiteDeRenglonesSeRespeta) {
  lineas();
  ws->vaspread1.setRowLimit(6);
  ws->vaSpread6.setRowLimit(6);
  responderForm3([](Form3Modelo& m) {
    llenar(m, {Q("1"), Q("1"), Q("1"), Q("1")});
    EXPECT_FALSE(m.cerrado);
    m.Command2_Click();
  });
  mult_renglones_Click(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso Importante"));
  sinCambios();
  EXPECT_FALSE(ws->aplicandoSeparacion);

  // Two more rows fit exactly.
  prompter.limpiar();
  responderFijo({Q("1"), Q("1"), Q("1")});
  tresrenglones(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 6);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 6);
}

TEST_F(SepararTest, LaTiendaDeLineasSigueSuPropioRenglonYLaUltimaLineaSePuedeDividir) {
  lineas();
  // The store holds another line at row 2 (a command changed vaspread1 alone).
  ws->vaSpread6.setText(6, 2, Q("OTRO"));
  responderFijo({Q("2"), Q("3")});
  two_Click(*ws);
  EXPECT_EQ(ws->vaSpread6.text(6, 3), Q("OTRO"));  // the store's own line is repeated
  EXPECT_EQ(ws->vaspread1.text(6, 3), Q("SKU2"));
  EXPECT_EQ(ws->vaSpread6.text(11, 2), Q("3"));
  EXPECT_EQ(ws->vaSpread6.text(11, 3), Q("2"));

  // The last line: the copies go below it.
  otraVez();
  ws->vaspread1.setText(11, 4, Q("9"));
  ws->vaspread1.setActiveCell(15, 4);
  responderForm3([](Form3Modelo& m) { llenar(m, {Q("4"), Q("5")}); });
  mult_renglones_Click(*ws);
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("10"), Q("7"), Q("4"), Q("5")}));
  EXPECT_EQ(ws->vaSpread6.text(11, 5), Q("5"));
  EXPECT_EQ(ws->vaSpread6.text(6, 5), Q("SKU4"));
  EXPECT_EQ(ws->vaspread1.activeRow(), 5);
  EXPECT_EQ(ws->vaspread1.activeCol(), 15);
  EXPECT_TRUE(coloreado(5));
}

TEST(LeerCantidad, NumerosYLoQueNoLoEs) {
  double v = -1;
  for (const char* si : {"10", " 4 ", "2.5", ".5", "3.", "+2", "-1", "007"}) EXPECT_TRUE(leerCantidad(Q(si), v)) << si;
  EXPECT_TRUE(leerCantidad(Q("2.5"), v));
  EXPECT_DOUBLE_EQ(v, 2.5);
  for (const char* no : {"", " ", "abc", "12abc", "1,5", "1.2.3", "-", ".", "1e3", "0x10", "inf", "nan"})
    EXPECT_FALSE(leerCantidad(Q(no), v)) << no;
}

}  // namespace
