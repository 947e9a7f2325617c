#pragma once
// The delivery date's field: a date edit whose keys step over weekends, with
// its calendar a key away (F4, Alt+Down), as in any date field.
#include <QDateEdit>

// Where a step of the keys lands. Days: a Saturday or Sunday goes on in the
// direction of travel (to Monday forwards, to Friday backwards). Months and
// years: a weekend moves forward to the Monday. Never before `minimo` (moved
// forward to a working day itself); an invalid `minimo` sets no bound.
enum class UnidadPaso { Dia, Mes, Anio };
QDate pasoHabil(const QDate& desde, int pasos, UnidadPaso unidad, const QDate& minimo);

class CampoFecha : public QDateEdit {
  Q_OBJECT
 public:
  explicit CampoFecha(QWidget* padre = nullptr);
  void stepBy(int pasos) override;
  // Opens the calendar under the field.
  void abrirCalendario();

 protected:
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QDate primero() const;
};
