#include "app/dialogs/forms.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QPushButton>

#include "app/dialogs/document_dialogs.h"
#include "app/dialogs/form2dialogo.h"
#include "app/dialogs/conexion_dialogo.h"
#include "notice/envio_aviso.h"
#include "app/dialogs/form5dialogo.h"
#include "app/dialogs/notice_review_dialog.h"
#include "app/dialogs/split_dialogs.h"
#include "app/qtprompter.h"

QPushButton* boton(QWidget* padre, const QString& nombre, const QString& texto) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(nombre);
  b->setAutoDefault(false);
  return b;
}

void ajustarAPantalla(QWidget& ventana) {
  const QWidget* padre = ventana.parentWidget();
  const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen();
  if (!pantalla) return;
  const QMargins marco(4, 30, 4, 4);
  const QRect zona = pantalla->availableGeometry().marginsRemoved(marco);
  ventana.ensurePolished();
  if (ventana.layout()) ventana.layout()->activate();
  // The size it was given, else the one it would take when shown.
  const QSize pedido = ventana.testAttribute(Qt::WA_Resized) ? ventana.size() : ventana.sizeHint();
  const QSize tam = pedido.expandedTo(ventana.minimumSizeHint()).boundedTo(zona.size());
  ventana.setMinimumSize(ventana.minimumSize().boundedTo(zona.size()));
  ventana.resize(tam);
  QRect r(QPoint(), tam);
  r.moveCenter(padre && zona.contains(padre->geometry().center()) ? padre->geometry().center() : zona.center());
  r.moveLeft(qBound(zona.left(), r.left(), zona.right() - r.width() + 1));
  r.moveTop(qBound(zona.top(), r.top(), zona.bottom() - r.height() + 1));
  ventana.move(r.topLeft());
}

void ejecutarForma(QtPrompter& p, QDialog& forma) {
  ajustarAPantalla(forma);
  QPointer<QWidget> anterior = forma.parentWidget();
  p.ponerVentana(&forma);
  forma.exec();
  p.ponerVentana(anterior);
}

namespace {

class TeclasForma : public QObject {
 public:
  TeclasForma(QDialog& forma, const QList<QWidget*>& cajas, QPushButton* aceptar, QPushButton* cancelar)
      : QObject(&forma), cajas_(cajas), aceptar_(aceptar), cancelar_(cancelar) {
    forma.installEventFilter(this);
    for (QWidget* c : cajas_) c->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & ~Qt::KeypadModifier) return false;
    if (k->key() == Qt::Key_Escape) {
      // Esc is the form's Cancelar, with its own handler, never a bare close.
      if (cancelar_ && cancelar_->isEnabled()) cancelar_->click();
      return true;
    }
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
    const int i = cajas_.indexOf(static_cast<QWidget*>(o));
    if (i < 0) return false;
    if (i + 1 < cajas_.size()) cajas_[i + 1]->setFocus(Qt::TabFocusReason);
    else if (aceptar_ && aceptar_->isEnabled()) aceptar_->click();
    return true;
  }

 private:
  QList<QWidget*> cajas_;
  QPushButton* aceptar_;
  QPushButton* cancelar_;
};

// The form of model type M shown by dialog class D.
template <class M, class D>
void registrar(QtPrompter& p, const QString& nombre) {
  QtPrompter* prompter = &p;
  p.registrar(nombre, [prompter](DialogoModelo& modelo, QWidget* padre) {
    auto* m = dynamic_cast<M*>(&modelo);
    // Another model under this name, or one already closed: nothing to show.
    if (!m || m->cerrado) return;
    D forma(*m, padre);
    ejecutarForma(*prompter, forma);
  });
}

}  // namespace

void registrarFormas(QtPrompter& p) {
  registrar<Form2Modelo, Form2Dialogo>(p, QStringLiteral("Form2"));
  registrar<Form5Modelo, Form5Dialogo>(p, QStringLiteral("Form5"));
  registrar<ConexionFtpModelo, ConexionFtpDialogo>(p, QStringLiteral("ConexionFtp"));
  registrar<HistorialEnviosModelo, HistorialEnviosDialogo>(p, QStringLiteral("HistorialEnvios"));
  registrar<Form3Modelo, Form3Dialogo>(p, QStringLiteral("Form3"));
  for (const char* forma : {"Form6", "Form9", "Form10", "Form7", "Form8"})
    registrar<SepararModelo, SepararDialogo>(p, QString::fromLatin1(forma));
  registrarFormasDocumentos(p);
  registrarRevisionAviso(p);
}

void teclasDeForma(QDialog& forma, const QList<QWidget*>& cajas, QPushButton* aceptar, QPushButton* cancelar) {
  new TeclasForma(forma, cajas, aceptar, cancelar);
}
