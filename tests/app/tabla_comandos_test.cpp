// The window's command table: access keys unique within each menu (and each
// row of buttons), every key bound once in the whole window, and the user
// guide's list of keys the one the table gives.
#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <set>

#include "app/tabla_comandos.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

using Lugar = FilaComando::Lugar;

// The standard keys (Cut, Copy, Paste) are the platform's: they need the application.
class TablaComandos : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }
};

// The character after the single "&" of a caption ("" none, "varias" more than one).
QString accesoDe(const QString& texto) {
  QString letra;
  for (int i = 0; i + 1 < texto.size(); ++i) {
    if (texto[i] != QLatin1Char('&')) continue;
    if (texto[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    if (!letra.isEmpty()) return Q("varias");
    letra = texto[i + 1].toUpper();
  }
  return letra;
}

TEST_F(TablaComandos, CadaMenuYCadaFilaDeBotonesTieneSusTeclasDeAccesoUnicas) {
  std::map<QString, std::set<QString>> porLugar;
  for (const FilaComando& f : tablaComandos()) {
    if (f.lugar != Lugar::Menu && f.lugar != Lugar::Item && f.lugar != Lugar::Boton) continue;
    SCOPED_TRACE(f.nombre.toStdString());
    const QString letra = accesoDe(f.texto);
    if (f.lugar == Lugar::Boton && letra.isEmpty()) continue;  // a button may have none
    ASSERT_FALSE(letra.isEmpty());
    ASSERT_NE(letra, Q("varias"));
    EXPECT_TRUE(porLugar[f.padre].insert(letra).second) << "repetida en " << f.padre.toStdString() << ": " << letra.toStdString();
  }
  EXPECT_EQ(porLugar[QString()].size(), 4u);  // the menu bar
}

TEST_F(TablaComandos, CadaTeclaDeLaVentanaHaceUnaSolaCosa) {
  std::map<QString, QString> duenos;
  for (const FilaComando& f : tablaComandos()) {
    for (const QKeySequence& k : f.atajos) {
      SCOPED_TRACE(f.nombre.toStdString());
      ASSERT_FALSE(k.isEmpty());
      const auto [it, nueva] = duenos.emplace(k.toString(), f.nombre);
      EXPECT_TRUE(nueva) << k.toString().toStdString() << " de " << it->second.toStdString();
    }
  }
  EXPECT_GE(duenos.size(), 15u);
}

TEST_F(TablaComandos, LosNombresSonUnicosYLosManejadoresEstanDondeSeAlcanzan) {
  std::set<QString> nombres;
  for (const FilaComando& f : tablaComandos()) {
    SCOPED_TRACE(f.nombre.toStdString());
    EXPECT_TRUE(nombres.insert(f.nombre).second);
    EXPECT_EQ(filaComando(f.nombre), &f);
    // A key of the window or an image runs something; a key only listed runs nothing.
    if (f.lugar == Lugar::Tecla || f.lugar == Lugar::Imagen) EXPECT_TRUE(f.manejador || f.enVentana);
    if (f.lugar == Lugar::Guia) EXPECT_FALSE(f.manejador || f.enVentana);
    // A command that replaces the work is one undo step with a name.
    if (f.reemplaza) EXPECT_FALSE(f.que.isEmpty());
    if (f.lugar == Lugar::Item || f.lugar == Lugar::Separador || f.lugar == Lugar::Recientes) {
      if (!f.padre.isEmpty()) EXPECT_TRUE(filaComando(f.padre) && filaComando(f.padre)->lugar == Lugar::Menu);
    }
  }
  EXPECT_EQ(filaComando(Q("no existe")), nullptr);
}

TEST_F(TablaComandos, LaGuiaDelUsuarioListaLasTeclasDeLaTabla) {
  QFile f(Q(AVISO_TEST_DATA "/../../docs/guia_usuario.md"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString guia = QString::fromUtf8(f.readAll());
  // The file beside the program says what the window shows.
  EXPECT_EQ(guiaConTeclas(guia), guia);
  EXPECT_TRUE(guia.contains(teclasDeLaGuia()));
  // Whatever list the file has, the window's replaces it; a guide without one stays as it is.
  const QString otra = Q("# Guía\r\n\r\n### Teclas\r\n\r\n| Tecla | Qué hace |\r\n|---|---|\r\n| F12 | nada |\r\n\r\nFin\r\n");
  EXPECT_EQ(guiaConTeclas(otra), Q("# Guía\n\n### Teclas\n\n") + teclasDeLaGuia() + Q("\nFin\n"));
  EXPECT_EQ(guiaConTeclas(Q("sin teclas\n")), Q("sin teclas\n"));
  const QStringList lineas = teclasDeLaGuia().split(QLatin1Char('\n'));
  EXPECT_EQ(lineas.value(6), Q("| Ctrl+Z | Editar > Deshacer |"));
  EXPECT_EQ(lineas.value(7), Q("| Ctrl+Y, Ctrl+Mayús+Z | Editar > Rehacer |"));
}

}  // namespace
