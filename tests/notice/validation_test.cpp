#include "notice/validation.h"

#include "client/form5.h"
#include "shipment.h"

namespace {

class ValidationTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    ponerCliente(*ws);
    ponerOrdenes(*ws, {Orden{}});
    ponerEntrega(*ws);
  }
  // One line per container code given, all else equal, each with its own SKU.
  std::vector<Linea> lineas(const QStringList& contenedores) {
    std::vector<Linea> v;
    int k = 0;
    for (const QString& c : contenedores) {
      Linea l;
      l.contenedor = c;
      l.sku = QString::number(1000000 + ++k);
      v.push_back(l);
    }
    return v;
  }
  void esperaUnMensaje(const QString& texto, const QString& titulo) {
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_EQ(prompter.mensajes[0].texto, texto);
    EXPECT_EQ(prompter.mensajes[0].titulo, titulo);
    EXPECT_FALSE(textosLog().contains(QStringLiteral("TERMINO LA FUNCION-----validar")));
  }
};

TEST_F(ValidationTest, PassingShipmentRefreshesHeaderFieldsAndDeliveryTypes) {
  std::vector<Linea> v = lineas({QStringLiteral("S00012345"), QStringLiteral("H00012345")});
  v[0].tipo = QStringLiteral("viejo");
  v[1].tipo.clear();
  ponerLineas(*ws, v);
  ws->DTPicker1_4 = QDate(2026, 12, 10);
  ws->Text1[4] = QStringLiteral("otra");
  ws->Text1[1].clear();
  EXPECT_TRUE(validar(*ws));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->Text1[4], QStringLiteral("10/12/2026"));
  EXPECT_EQ(ws->Text1[1], QStringLiteral("45678"));
  EXPECT_EQ(ws->vaspread1.text(14, 1), QStringLiteral("Cajas - azules"));
  EXPECT_EQ(ws->vaSpread6.text(14, 1), QStringLiteral("Cajas - azules"));
  EXPECT_EQ(ws->vaspread1.text(14, 2), QStringLiteral("Colgado"));
  EXPECT_EQ(ws->vaSpread6.text(14, 2), QStringLiteral("Colgado"));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 2);
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(QStringLiteral("ENTRO A LA FUNCION-----validar")));
  EXPECT_TRUE(log.contains(QStringLiteral("TERMINO LA FUNCION-----validar")));
}

TEST_F(ValidationTest, HeaderCompletenessRowByRow) {
  Orden o2;
  o2.orden = QStringLiteral("22222222");
  o2.factura.clear();
  Orden o3 = o2;
  o3.orden.clear();  // the order number is not asked for here
  o3.factura = QStringLiteral("F-3");
  ponerOrdenes(*ws, {Orden{}, o2, o3});
  ponerLineas(*ws, lineas({QStringLiteral("A12345678")}));
  EXPECT_FALSE(validar(*ws));
  esperaUnMensaje(Q("Falta Información de:\r\n\r\nFACTURA/REMISION\r\n\r\nEn el renglón:  2"),
                  QStringLiteral("Datos Incompletos"));
  EXPECT_EQ(ws->vaSpread9.activeCol(), 4);
  EXPECT_EQ(ws->vaSpread9.activeRow(), 2);
  EXPECT_EQ(ws->foco, QStringLiteral("vaSpread9"));

  prompter.limpiar();
  ws->vaSpread9.setText(4, 2, QStringLiteral("F-2"));
  ws->vaSpread9.setText(2, 3, QString());
  EXPECT_FALSE(validar(*ws));
  EXPECT_EQ(prompter.ultimo(), Q("Falta Información de:\r\n\r\nTIPO MOV\r\n\r\nEn el renglón:  3"));

  prompter.limpiar();
  ws->vaSpread9.setText(2, 3, QStringLiteral("Alta"));
  EXPECT_TRUE(validar(*ws));
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(ValidationTest, AmountsMustBePlainNumbersWithTwoDecimalsAtMost) {
  ponerLineas(*ws, lineas({QStringLiteral("A12345678")}));
  for (const char* bueno : {"1500", "1500.5", "99.99", ".5", "0.01", "15."}) {
    ws->vaSpread9.setText(5, 1, QString::fromLatin1(bueno));
    EXPECT_TRUE(validar(*ws)) << bueno;
  }
  EXPECT_TRUE(prompter.mensajes.empty());
  for (const char* malo : {"1,500.00", "12.345", "-5", "abc", " 15", "1.2.3", "."}) {
    prompter.limpiar();
    ws->vaSpread9.setText(5, 1, QString::fromLatin1(malo));
    EXPECT_FALSE(validar(*ws)) << malo;
    ASSERT_EQ(prompter.mensajes.size(), 1u) << malo;
    EXPECT_EQ(prompter.mensajes[0].texto,
              Q("ERROR: El importe de la factura debe ser un número con dos decimales como máximo\r\n\r\n"
                "En el renglón:  1"));
    EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Datos incorrectos"));
    EXPECT_EQ(ws->vaSpread9.activeCol(), 5);
  }
}

TEST_F(ValidationTest, QuantitiesAreWholeAndPositive) {
  std::vector<Linea> v = lineas({QStringLiteral("A12345678"), QStringLiteral("A12345679"), QStringLiteral("A12345670")});
  v[2].cantidad = QStringLiteral("0");
  ponerLineas(*ws, v);
  EXPECT_FALSE(validar(*ws));
  esperaUnMensaje(QStringLiteral("ERROR, no puede haber cantidades = 0!"), QStringLiteral("Datos Incompletos"));
  EXPECT_EQ(ws->vaspread1.activeCol(), 11);
  EXPECT_EQ(ws->vaspread1.activeRow(), 3);
  EXPECT_EQ(ws->foco, QStringLiteral("vaspread1"));

  struct Caso {
    const char* cantidad;
    const char* mensaje;
    const char* titulo;
  };
  const Caso casos[] = {
      {"00", "ERROR, no puede haber cantidades = 0!", "Datos Incompletos"},
      {"", "ERROR, no puede haber cantidades en blanco!", "Datos Incompletos"},
      {"  ", "ERROR, no puede haber cantidades en blanco!", "Datos Incompletos"},
      {"2.5", "ERROR, las cantidades deben ser números enteros mayores que 0!", "Datos incorrectos"},
      {"-3", "ERROR, las cantidades deben ser números enteros mayores que 0!", "Datos incorrectos"},
      {"12abc", "ERROR, las cantidades deben ser números enteros mayores que 0!", "Datos incorrectos"},
  };
  for (const Caso& c : casos) {
    prompter.limpiar();
    ws->vaspread1.setText(11, 3, QString());
    ws->vaspread1.setText(11, 2, QString::fromUtf8(c.cantidad));
    ws->vaspread1.setText(11, 3, QStringLiteral("5"));
    EXPECT_FALSE(validar(*ws)) << c.cantidad;
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_EQ(prompter.mensajes[0].texto, Q(c.mensaje)) << c.cantidad;
    EXPECT_EQ(prompter.mensajes[0].titulo, Q(c.titulo));
    EXPECT_EQ(ws->vaspread1.activeRow(), 2);
  }
}

TEST_F(ValidationTest, ContainerCodes) {
  struct Caso {
    const char* codigo;
    const char* mensaje;
  };
  const Caso casos[] = {
      {"", "ERROR: El contenedor esta en blanco!"},
      {"   ", "ERROR: El contenedor esta en blanco!"},
      {"X12345678", "El contenedor debe comenzar con A, B, C, D, E, F, G, H, I, P, Q, R, S ó V"},
      {"a12345678", "El contenedor debe comenzar con A, B, C, D, E, F, G, H, I, P, Q, R, S ó V"},
      {" A12345678", "El contenedor debe comenzar con A, B, C, D, E, F, G, H, I, P, Q, R, S ó V"},
      {"A1234567", "INCOMPLETO: El contenedor debe tener 9 digitos"},
      {"P1      ", "INCOMPLETO: El contenedor debe tener 9 digitos"},
  };
  for (const Caso& c : casos) {
    prompter.limpiar();
    std::vector<Linea> v = lineas({QStringLiteral("A12345678"), QString::fromUtf8(c.codigo)});
    v[1].tipo = QStringLiteral("antes");
    ponerLineas(*ws, v);
    EXPECT_FALSE(validar(*ws)) << c.codigo;
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_EQ(prompter.mensajes[0].texto, Q(c.mensaje)) << c.codigo;
    EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("DUDIZOD"));
    EXPECT_EQ(ws->vaspread1.activeCol(), 15);
    EXPECT_EQ(ws->vaspread1.activeRow(), 2);
    EXPECT_EQ(ws->foco, QStringLiteral("vaspread1"));
  }
  // A valid first letter is described even when the code is then refused as short.
  EXPECT_EQ(ws->vaspread1.text(14, 2), QStringLiteral("Pallets"));
  EXPECT_EQ(ws->vaSpread6.text(14, 2), QStringLiteral("Pallets"));

  prompter.limpiar();
  ponerLineas(*ws, lineas({QStringLiteral("A12345678"), QStringLiteral("A123456789")}));
  EXPECT_TRUE(validar(*ws));
}

TEST_F(ValidationTest, OneContainerOneStoreOneDepartment) {
  std::vector<Linea> v = lineas({QStringLiteral("B000000009"), QStringLiteral("A000000001"),
                                 QStringLiteral("B000000009"), QStringLiteral("C000000003"),
                                 QStringLiteral("A000000001"), QStringLiteral("C000000003")});
  v[4].tienda = QStringLiteral("5555");  // lines 2 and 5: two stores
  v[5].depto = QStringLiteral("999");    // lines 4 and 6: two departments
  v[2].depto = QStringLiteral("999");    // lines 1 and 3: two departments, found first
  ponerLineas(*ws, v);
  EXPECT_FALSE(validar(*ws));
  esperaUnMensaje(QStringLiteral("ERROR: No puede ir un contenedor a dos Departamentos diferentes"),
                  QStringLiteral("DUDIZOD"));
  EXPECT_EQ(ws->vaspread1.activeRow(), 1);

  prompter.limpiar();
  v[2].depto = QStringLiteral("123");
  ponerLineas(*ws, v);
  EXPECT_FALSE(validar(*ws));
  EXPECT_EQ(prompter.ultimo(), QStringLiteral("ERROR: No puede ir un contenedor a dos Tiendas diferentes"));
  EXPECT_EQ(ws->vaspread1.activeCol(), 15);
  EXPECT_EQ(ws->vaspread1.activeRow(), 2);

  // The first disagreeing row decides the message: store and department both differ there.
  prompter.limpiar();
  v[4].tienda = QStringLiteral("1234567890");
  v[5].tienda = QStringLiteral("777");
  ponerLineas(*ws, v);
  EXPECT_FALSE(validar(*ws));
  EXPECT_EQ(prompter.ultimo(), QStringLiteral("ERROR: No puede ir un contenedor a dos Tiendas diferentes"));
  EXPECT_EQ(ws->vaspread1.activeRow(), 4);
}

TEST_F(ValidationTest, RepeatedLinesAreMergedInBothTables) {
  Linea a;
  a.contenedor = QStringLiteral("A000000001");
  a.cantidad = QStringLiteral("10");
  Linea otro = a;
  otro.sku = QStringLiteral("7777777");
  otro.cantidad = QStringLiteral("1");
  Linea b = a;
  b.cantidad = QStringLiteral("5");
  Linea c = a;
  c.cantidad = QStringLiteral("3");
  Linea d = otro;
  d.cantidad = QStringLiteral("2");
  Linea e = a;  // another container: stays apart
  e.contenedor = QStringLiteral("B000000001");
  e.cantidad = QStringLiteral("4");
  ponerLineas(*ws, {a, otro, b, e, c, d});
  EXPECT_TRUE(validar(*ws));
  EXPECT_TRUE(prompter.mensajes.empty());
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 3);
  EXPECT_EQ(ws->vaspread1.text(6, 1), a.sku);
  EXPECT_EQ(ws->vaspread1.text(11, 1), QStringLiteral("18"));
  EXPECT_EQ(ws->vaspread1.text(6, 2), otro.sku);
  EXPECT_EQ(ws->vaspread1.text(11, 2), QStringLiteral("3"));
  EXPECT_EQ(ws->vaspread1.text(15, 3), QStringLiteral("B000000001"));
  EXPECT_EQ(ws->vaspread1.text(11, 3), QStringLiteral("4"));
  // The order line store follows row for row.
  ASSERT_EQ(ws->vaSpread6.dataRowCount(), 3);
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(ws->vaSpread6.text(6, r), ws->vaspread1.text(6, r));
    EXPECT_EQ(ws->vaSpread6.text(11, r), ws->vaspread1.text(11, r));
    EXPECT_EQ(ws->vaSpread6.text(15, r), ws->vaspread1.text(15, r));
  }
  // The cursor is on the quantity of the last merged line.
  EXPECT_EQ(ws->vaspread1.activeCol(), 11);
  EXPECT_EQ(ws->vaspread1.activeRow(), 2);

  // Lines of different orders are never merged.
  Orden o2;
  o2.orden = QStringLiteral("22222222");
  o2.factura = QStringLiteral("F-2");
  ponerOrdenes(*ws, {Orden{}, o2});
  Linea x = a;
  x.orden = o2.orden;
  ponerLineas(*ws, {a, x});
  EXPECT_TRUE(validar(*ws));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 2);
}

TEST_F(ValidationTest, ManyLinesAreCheckedAndMergedInOnePass) {
  std::vector<Linea> v(40000);
  for (size_t i = 0; i < v.size(); ++i) {
    v[i].sku = QString::number(1000000 + static_cast<int>(i % 20000));
    v[i].contenedor = QStringLiteral("A%1").arg(static_cast<int>(i % 20000) / 10, 9, 10, QLatin1Char('0'));
    v[i].cantidad = QStringLiteral("2");
  }
  ponerLineas(*ws, v);
  EXPECT_TRUE(validar(*ws));
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 20000);
  EXPECT_EQ(ws->vaspread1.text(11, 20000), QStringLiteral("4"));
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 20000);
}

TEST_F(ValidationTest, ClientNumberIsAskedFor) {
  ws->vaSpread2.setText(2, 2, QString());
  EXPECT_FALSE(verificardatosok(*ws));
  EXPECT_EQ(prompter.textos(), QStringList{Q("Falta el Número de Cliente")});
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Datos Incompletos"));
  EXPECT_EQ(prompter.dialogosVistos, QStringList{QStringLiteral("Form5")});

  prompter.alDialogo = [](DialogoModelo& m) {
    auto& f = dynamic_cast<Form5Modelo&>(m);
    f.teclear(Form5Modelo::Caja::ncliente, QStringLiteral("4321"));
    f.aceptar_Click();
  };
  EXPECT_TRUE(verificardatosok(*ws));
  EXPECT_EQ(ws->vaSpread2.text(2, 2), QStringLiteral("4321"));

  prompter.limpiar();
  EXPECT_TRUE(verificardatosok(*ws));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(prompter.dialogosVistos.size(), 2);
  EXPECT_TRUE(textosLog().contains(QStringLiteral("TERMINO LA FUNCION-----verificardatosok")));
}

}  // namespace
