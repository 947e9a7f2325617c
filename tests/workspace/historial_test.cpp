// Undo over the whole work: each field of the work, changed alone by a
// command, comes back with Deshacer and goes again with Rehacer; the
// recovery copy carries each one too. The fields are walked from the type
// itself, so a field added to the work is in these cases by construction.
#include <QPoint>

#include "fixture.h"
#include "workspace/recuperacion.h"

namespace {

// One change to a field of each kind, different from any value it had.
void cambiar(Lista& l) { l.agregar(Q("otra"), 7), l.indice = l.entradas.size() - 1, l.texto = Q("otra"); }
void cambiar(std::array<QString, 8>& t) { t[3] += Q("x"); }
void cambiar(QString& s) { s += Q("x"); }
void cambiar(QDate& d) { d = d.isValid() ? d.addDays(1) : QDate(2026, 12, 9); }
void cambiar(bool& b) { b = !b; }
void cambiar(std::map<QString, EstadoControl>& m) { m[Q("arch_env")].habilitado = !m[Q("arch_env")].habilitado; }
void cambiar(EstadoTrabajo::UltimaInsercion& u) { u.filaOrigen += 3; }

constexpr size_t kCampos = std::tuple_size_v<decltype(camposDelTrabajo(std::declval<EstadoTrabajo&>()))>;

template <size_t I>
void cambiarCampo(EstadoTrabajo& e) {
  cambiar(std::get<I>(camposDelTrabajo(e)));
}

template <size_t... I>
auto cambios(std::index_sequence<I...>) {
  return std::array<void (*)(EstadoTrabajo&), sizeof...(I)>{&cambiarCampo<I>...};
}

class HistorialTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    ws->historial.activar(true);
    ws->Combo3.agregar(Q("08:00"));
    ws->Text1[2] = Q("1");
    ws->DTPicker1_4 = QDate(2026, 12, 8);
    ws->vaspread1.setText(1, 1, Q("123"));
  }
  const EstadoTrabajo& estado() const { return *ws; }
};

TEST_F(HistorialTest, CadaCampoDelTrabajoVuelveConDeshacerYSeVaConRehacer) {
  const auto todos = cambios(std::make_index_sequence<kCampos>{});
  for (size_t i = 0; i < todos.size(); ++i) {
    SCOPED_TRACE(i);
    ws->sinGuardar = false;
    const EstadoTrabajo antes = estado();
    {
      Comando cmd(*ws, QString());
      todos[i](*ws);
      ws->vaspread1.setText(2, 1, QString::number(i));  // a step even where the field only follows the focus
      cmd.fin(Resultado::Hecho);
    }
    const EstadoTrabajo despues = estado();
    ASSERT_NE(antes, despues);
    ASSERT_EQ(deshacer_Click(*ws), Resultado::Hecho);
    EXPECT_EQ(estado(), antes);
    ASSERT_EQ(rehacer_Click(*ws), Resultado::Hecho);
    EXPECT_EQ(estado(), despues);
  }
}

// A command that changes only the work outside the tables is a step of its
// own; one that only moves what follows the focus is none.
TEST_F(HistorialTest, UnCambioSoloFueraDeLasTablasEsUnPaso) {
  const auto todos = cambios(std::make_index_sequence<kCampos>{});
  for (size_t i = 0; i < todos.size(); ++i) {
    SCOPED_TRACE(i);
    EstadoTrabajo prueba = estado();
    todos[i](prueba);
    const bool soloFoco = prueba.mismoTrabajo(estado());
    const int pasos = ws->historial.pasos();
    {
      Comando cmd(*ws, QString());
      todos[i](*ws);
      cmd.fin(Resultado::Hecho);
    }
    EXPECT_EQ(ws->historial.pasos(), soloFoco ? pasos : pasos + 1);
  }
}

TEST_F(HistorialTest, LaCopiaDeRecuperacionLlevaCadaCampoDelTrabajo) {
  const auto todos = cambios(std::make_index_sequence<kCampos>{});
  for (size_t i = 0; i < todos.size(); ++i) {
    SCOPED_TRACE(i);
    todos[i](*ws);
    const auto copia = recuperacion::tomar(*ws);
    const recuperacion::Lectura l = recuperacion::leerBytes(recuperacion::bytes(*copia));
    ASSERT_TRUE(l.copia) << l.falla.toStdString();
    EXPECT_EQ(l.copia->estado, estado());
  }
  // The cursors of both tables come back where they were.
  ws->cursor(ws->vaspread1, 3, 1);
  ws->cursor(ws->vaSpread9, 4, 2);
  const recuperacion::Lectura l = recuperacion::leerBytes(recuperacion::bytes(*recuperacion::tomar(*ws)));
  ASSERT_TRUE(l.copia);
  ws->cursor(ws->vaspread1, 1, 1);
  ws->cursor(ws->vaSpread9, 1, 1);
  recuperacion::restaurar(*ws, *l.copia);
  EXPECT_EQ(QPoint(ws->vaspread1.activeCol(), ws->vaspread1.activeRow()), QPoint(3, 1));
  EXPECT_EQ(QPoint(ws->vaSpread9.activeCol(), ws->vaSpread9.activeRow()), QPoint(4, 2));
}

}  // namespace

// An event outside a command writes its pair of lines and nothing else: the
// work it changes is no undo step, the pointer stays and nobody hears a
// command begin; one left by an exception writes no exit line.
TEST_F(HistorialTest, UnEventoFueraDeUnComandoSoloEscribeSuPar) {
  QString oidos;  // '+' and '-' as the window hears a command begin and end
  ws->alComando = [&oidos](bool empieza) { oidos += empieza ? QLatin1Char('+') : QLatin1Char('-'); };
  const int pasos = ws->historial.pasos();
  {
    const Evento evento(*ws, Q("ENTRO AL EVENTO-----Form_Load"), Q("TERMINO EL EVENTO-----Form_Load"));
    ws->Text1[1] = Q("9");
    ws->vaspread1.setText(2, 1, Q("9"));
    EXPECT_EQ(ws->comandoAbierto, nullptr);
  }
  try {
    const Evento evento(*ws, Q("ENTRO AL EVENTO-----Form_Paint"), Q("TERMINO EL EVENTO-----Form_Paint"));
    throw std::runtime_error("x");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(ws->historial.pasos(), pasos);
  EXPECT_EQ(oidos, QString());
  {
    Comando cmd(*ws, QString());
    const Comando dentro(*ws, QString());  // only the outer command is heard
  }
  ws->alComando = nullptr;
  EXPECT_EQ(oidos, Q("+-"));
  EXPECT_FALSE(ws->estaOcupado());
  EXPECT_EQ(textosLog().mid(textosLog().size() - 3),
            (QStringList{Q("ENTRO AL EVENTO-----Form_Load"), Q("TERMINO EL EVENTO-----Form_Load"),
                         Q("ENTRO AL EVENTO-----Form_Paint")}));
}
