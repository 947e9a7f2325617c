#include "app/campo_fecha.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

bool finDeSemana(const QDate& d) { return d.dayOfWeek() >= Qt::Saturday; }

QDate habilAdelante(QDate d) {
  while (d.isValid() && finDeSemana(d)) d = d.addDays(1);
  return d;
}

QDate habilAtras(QDate d) {
  while (d.isValid() && finDeSemana(d)) d = d.addDays(-1);
  return d;
}

}  // namespace

QDate pasoHabil(const QDate& desde, int pasos, UnidadPaso unidad, const QDate& minimo) {
  QDate d;
  switch (unidad) {
    case UnidadPaso::Dia:
      d = desde.addDays(pasos);
      d = pasos < 0 ? habilAtras(d) : habilAdelante(d);
      break;
    case UnidadPaso::Mes:
      d = habilAdelante(desde.addMonths(pasos));
      break;
    case UnidadPaso::Anio:
      d = habilAdelante(desde.addYears(pasos));
      break;
  }
  const QDate tope = habilAdelante(minimo);
  if (tope.isValid() && d < tope) d = tope;
  return d;
}

CampoFecha::CampoFecha(QWidget* padre) : QDateEdit(padre) {
  setCalendarPopup(true);
  // The calendar's own keys go through the same steps.
  if (QCalendarWidget* c = calendarWidget())
    if (auto* vista = c->findChild<QAbstractItemView*>()) vista->installEventFilter(this);
}

QDate CampoFecha::primero() const { return habilAdelante(minimumDate()); }

void CampoFecha::stepBy(int pasos) {
  UnidadPaso unidad;
  switch (currentSection()) {
    case DaySection: unidad = UnidadPaso::Dia; break;
    case MonthSection: unidad = UnidadPaso::Mes; break;
    case YearSection: unidad = UnidadPaso::Anio; break;
    default: return QDateEdit::stepBy(pasos);
  }
  const Section seccion = currentSection();
  const QDate d = pasoHabil(date(), pasos, unidad, minimumDate());
  if (d <= maximumDate()) setDate(d);
  setSelectedSection(seccion);
}

QAbstractSpinBox::StepEnabled CampoFecha::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  StepEnabled e = StepNone;
  if (date() < maximumDate()) e |= StepUpEnabled;
  if (date() > primero()) e |= StepDownEnabled;
  return e;
}

void CampoFecha::abrirCalendario() {
  // The field opens its calendar on a press of its arrow; the keys press it too.
  QStyleOptionComboBox o;
  o.initFrom(this);
  o.editable = true;
  o.subControls = QStyle::SC_All;
  const QPoint p = style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxArrow, this).center();
  QMouseEvent e(QEvent::MouseButtonPress, p, mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  mousePressEvent(&e);
}

void CampoFecha::keyPressEvent(QKeyEvent* e) {
  const bool altAbajo = e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier);
  if (calendarPopup() && (altAbajo || (e->key() == Qt::Key_F4 && e->modifiers() == Qt::NoModifier))) {
    abrirCalendario();
    return;
  }
  QDateEdit::keyPressEvent(e);
}

bool CampoFecha::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return QDateEdit::eventFilter(o, e);
  auto* k = static_cast<QKeyEvent*>(e);
  if (k->modifiers() != Qt::NoModifier && k->modifiers() != Qt::KeypadModifier) return QDateEdit::eventFilter(o, e);
  int pasos = 0;
  UnidadPaso unidad = UnidadPaso::Dia;
  switch (k->key()) {
    case Qt::Key_Left: pasos = -1; break;
    case Qt::Key_Right: pasos = 1; break;
    case Qt::Key_Up: pasos = -7; break;
    case Qt::Key_Down: pasos = 7; break;
    case Qt::Key_PageUp: pasos = -1, unidad = UnidadPaso::Mes; break;
    case Qt::Key_PageDown: pasos = 1, unidad = UnidadPaso::Mes; break;
    default: return QDateEdit::eventFilter(o, e);
  }
  QCalendarWidget* c = calendarWidget();
  const QDate d = pasoHabil(c->selectedDate(), pasos, unidad, minimumDate());
  if (d <= maximumDate()) c->setSelectedDate(d);
  return true;
}
