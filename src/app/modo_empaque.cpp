#include "app/modo_empaque.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSoundEffect>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/dialogs/forms.h"
#include "app/mainwindow.h"
#include "app/qtprompter.h"
#include "documents/empaque_documentos.h"
#include "empaque/empaque.h"
#include "workspace/workspace.h"

namespace {

// The dialog's buttons at its right edge, in the order given.
QHBoxLayout* filaDeBotones(std::initializer_list<QPushButton*> botones) {
  auto* fila = new QHBoxLayout;
  fila->addStretch();
  for (QPushButton* b : botones) fila->addWidget(b);
  return fila;
}

const QString kCerrar = QStringLiteral("Cerrar contenedor");
const QString kTerminar = QStringLiteral("Terminar empaque");
constexpr int kLineasEnMensaje = 25;

// The scan box: Ctrl+Z and Ctrl+Y take back or redo scans, not the box's typing.
class CajaEscaneo : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ShortcutOverride) {
      auto* k = static_cast<QKeyEvent*>(e);
      const bool y = k->key() == Qt::Key_Y && k->modifiers() == Qt::ControlModifier;
      if (k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo) || y) {
        e->ignore();
        return true;
      }
    }
    return QLineEdit::event(e);
  }
};

QString lineasDe(const Workspace& ws, const std::vector<int>& filas) {
  QString t;
  int n = 0;
  for (int f : filas) {
    if (++n > kLineasEnMensaje) {
      t += QStringLiteral("\r\n... y %1 más").arg(filas.size() - kLineasEnMensaje);
      break;
    }
    const Grid& g = ws.vaspread1;
    const QString q = g.text(colDetalle::Cantidad, f);
    t += QStringLiteral("\r\nRenglón %1: orden %2, tienda %3, SKU %4, %5 %6")
             .arg(f)
             .arg(g.text(colDetalle::Orden, f), g.text(colDetalle::Tienda, f), g.text(colDetalle::Sku, f), q,
                  q == QLatin1String("1") ? QStringLiteral("pieza") : QStringLiteral("piezas"));
  }
  return t;
}

QSoundEffect* sonido(const QString& recurso, QObject* padre) {
  // Without a sound device (offscreen) the window stays silent but for the refusal's beep.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return nullptr;
  auto* s = new QSoundEffect(padre);
  s->setSource(QUrl(recurso));
  s->setVolume(0.6f);
  return s;
}

void elegirTienda(QtPrompter& p, TiendaEmpaqueModelo& m, QWidget* padre) {
  QDialog forma(padre);
  forma.setObjectName(QStringLiteral("TiendaEmpaque"));
  forma.setWindowTitle(QStringLiteral("Tienda del contenedor"));
  auto* texto = new QLabel(QStringLiteral("El artículo ") + m.articulo + QStringLiteral(" va a varias tiendas.\n") +
                               QStringLiteral("&Tienda del contenedor ") + m.contenedor + QStringLiteral(":"),
                           &forma);
  auto* lista = new QListWidget(&forma);
  lista->setObjectName(QStringLiteral("tiendas"));
  lista->addItems(m.tiendas);
  // Nothing chosen beforehand: a reader's next scan and its Enter, typed here
  // by mistake, choose no store (the scan is refused and said so).
  lista->setSelectionMode(QAbstractItemView::SingleSelection);
  texto->setBuddy(lista);
  QPushButton* aceptar = boton(&forma, QStringLiteral("aceptar"), QStringLiteral("Aceptar"));
  QPushButton* cancelar = boton(&forma, QStringLiteral("cancelar"), QStringLiteral("Cancelar"));
  aceptar->setDefault(true);
  QObject::connect(aceptar, &QPushButton::clicked, &forma, &QDialog::accept);
  QObject::connect(cancelar, &QPushButton::clicked, &forma, &QDialog::reject);
  QObject::connect(lista, &QListWidget::itemDoubleClicked, &forma, &QDialog::accept);
  QHBoxLayout* botones = filaDeBotones({aceptar, cancelar});
  auto* capas = new QVBoxLayout(&forma);
  capas->addWidget(texto);
  capas->addWidget(lista);
  capas->addLayout(botones);
  ejecutarForma(p, forma);
  if (forma.result() == QDialog::Accepted && !lista->selectedItems().isEmpty())
    m.aceptar(lista->selectedItems().first()->text());
  else m.cancelar();
}

void verResumen(QtPrompter& p, ResumenEmpaqueModelo& m, QWidget* padre) {
  QDialog forma(padre);
  forma.setObjectName(QStringLiteral("ResumenEmpaque"));
  forma.setWindowTitle(kTituloResumenEmpaque);
  auto* texto = new QListWidget(&forma);
  texto->setObjectName(QStringLiteral("resumen"));
  texto->addItems(m.lineas);
  texto->setSelectionMode(QAbstractItemView::NoSelection);
  const QFontMetrics fm(texto->font());
  forma.resize(fm.horizontalAdvance(QLatin1Char('x')) * 90, fm.height() * 30);
  QPushButton* imprimir = boton(&forma, QStringLiteral("imprimir"), QStringLiteral("&Imprimir con la lista de empaque..."));
  QPushButton* cerrar = boton(&forma, QStringLiteral("cerrar"), QStringLiteral("Cerrar"));
  cerrar->setDefault(true);
  QObject::connect(imprimir, &QPushButton::clicked, &forma, &QDialog::accept);
  QObject::connect(cerrar, &QPushButton::clicked, &forma, &QDialog::reject);
  QHBoxLayout* botones = filaDeBotones({imprimir, cerrar});
  auto* capas = new QVBoxLayout(&forma);
  capas->addWidget(texto);
  capas->addLayout(botones);
  ejecutarForma(p, forma);
  m.imprimir = forma.result() == QDialog::Accepted;
  m.cerrado = true;
}

}  // namespace

void registrarFormasEmpaque(QtPrompter& p) {
  QtPrompter* prompter = &p;
  p.registrar(QStringLiteral("TiendaEmpaque"), [prompter](DialogoModelo& modelo, QWidget* padre) {
    if (auto* m = dynamic_cast<TiendaEmpaqueModelo*>(&modelo)) elegirTienda(*prompter, *m, padre);
  });
  p.registrar(QStringLiteral("ResumenEmpaque"), [prompter](DialogoModelo& modelo, QWidget* padre) {
    if (auto* m = dynamic_cast<ResumenEmpaqueModelo*>(&modelo)) verResumen(*prompter, *m, padre);
  });
}

ModoEmpaque::ModoEmpaque(MainWindow& ventana, Workspace& ws) : QObject(&ventana), ventana_(ventana), ws_(ws) {
  barra_ = new QToolBar(QStringLiteral("Empaque"), &ventana);
  barra_->setObjectName(QStringLiteral("barraEmpaque"));
  barra_->setMovable(false);
  auto* etiqueta = new QLabel(QStringLiteral(" Escaneo: "), barra_);
  caja_ = new CajaEscaneo(barra_);
  caja_->setObjectName(QStringLiteral("escaneo"));
  caja_->setMinimumWidth(caja_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 22);
  caja_->setMaximumWidth(caja_->minimumWidth() * 2);
  caja_->setToolTip(QStringLiteral("Escanee la etiqueta del contenedor y luego cada artículo; N* antes de un "
                                   "artículo suma N piezas."));
  etiqueta->setBuddy(caja_);
  mensaje_ = new QLabel(barra_);
  mensaje_->setObjectName(QStringLiteral("mensajeEmpaque"));
  mensaje_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  QFont f = mensaje_->font();
  f.setPointSizeF(f.pointSizeF() * 1.3);
  f.setBold(true);
  mensaje_->setFont(f);
  barra_->addWidget(etiqueta);
  barra_->addWidget(caja_);
  barra_->addSeparator();
  barra_->addWidget(mensaje_);
  ventana.addToolBarBreak();
  ventana.addToolBar(Qt::TopToolBarArea, barra_);
  barra_->setVisible(false);

  estado_ = new QLabel(ventana.statusBar());
  estado_->setObjectName(QStringLiteral("estadoEmpaque"));
  ventana.statusBar()->addPermanentWidget(estado_);
  estado_->setVisible(false);

  bueno_ = sonido(QStringLiteral("qrc:/sonidos/escaneo_bueno.wav"), this);
  rechazado_ = sonido(QStringLiteral("qrc:/sonidos/escaneo_rechazado.wav"), this);

  if (QAction* a = ventana.accion(QStringLiteral("empacar"))) a->setCheckable(true);
  // Ctrl+Z and Ctrl+Y say what they took back or did again, where the scans are answered
  // (the answer of the scan taken back would stay otherwise).
  for (const bool atras : {true, false})
    if (QAction* a = ventana.accion(atras ? QStringLiteral("deshacer") : QStringLiteral("rehacer")))
      connect(a, &QAction::triggered, this, [this, atras] {
        if (!activo()) return;
        const QString que = atras ? ws_.historial.queRehacer() : ws_.historial.queDeshacer();
        responder(true, (atras ? QStringLiteral("Se deshizo: ") : QStringLiteral("Se rehízo: ")) + que + QLatin1Char('.'));
      }, Qt::QueuedConnection);  // after the window's own handler has run
  connect(caja_, &QLineEdit::returnPressed, this, [this] {
    const QString texto = caja_->text().trimmed();
    caja_->clear();
    if (texto.isEmpty()) return;
    ventana_.ejecutar([this, texto] { escanear(texto); }, QStringLiteral("escanear ") + texto);
  });
  // The reader types into whatever has the focus: while the mode is on the
  // focus comes back to the box from any other part of the window.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ahora) {
    if (!activo() || !ahora || ahora == caja_ || ahora->window() != &ventana_ || QApplication::activeModalWidget())
      return;
    QTimer::singleShot(0, caja_, [this] {
      if (activo() && !QApplication::activeModalWidget()) caja_->setFocus(Qt::OtherFocusReason);
    });
  });
}

ModoEmpaque::~ModoEmpaque() = default;

Resultado ModoEmpaque::alternar() {
  if (activo()) {
    empaque_.reset();
    ws_.EscribirLog(QStringLiteral("EMPAQUE-----fin del modo"));
    mensaje_->clear();
    estado_->clear();
    // The keys go back to the detail grid, not to whatever follows the box.
    ws_.foco = QStringLiteral("vaspread1");
    return Resultado::Hecho;
  }
  empaque_ = std::make_unique<Empaque>(ws_);
  empaque_->preparar();
  ws_.EscribirLog(QStringLiteral("EMPAQUE-----inicio del modo"));
  responder(true, QStringLiteral("Escanee la etiqueta de un contenedor."));
  return Resultado::Hecho;
}

void ModoEmpaque::escanear(const QString& texto) {
  if (!activo()) return;
  const Escaneo e = empaque_->escanear(texto);
  responder(e.aceptado(), e.mensaje);
  sonar(e.aceptado());
}

void ModoEmpaque::responder(bool aceptado, const QString& mensaje) {
  mensaje_->setText(mensaje);
  mensaje_->setStyleSheet(aceptado ? QStringLiteral("color: #1b5e20;") : QStringLiteral("color: #b71c1c;"));
}

void ModoEmpaque::sonar(bool aceptado) {
  QSoundEffect* s = aceptado ? bueno_ : rechazado_;
  if (s) s->play();
  else if (!aceptado) ws_.prompter.beep();
}

Resultado ModoEmpaque::cerrarContenedor() {
  if (!activo() || empaque_->contenedor().isEmpty()) {
    ws_.MsgBox(QStringLiteral("No hay un contenedor abierto: escanee primero la etiqueta de uno."), Botones::Ok, kCerrar,
               Icono::Informacion);
    return Resultado::Rechazado;
  }
  const Empaque::Cierre c = empaque_->cerrarContenedor();
  responder(true, QStringLiteral("Contenedor ") + c.contenedor + QStringLiteral(" cerrado. Escanee el siguiente."));
  const QString texto = QStringLiteral("Contenedor %1, tienda %2: %3, %4.")
                            .arg(c.contenedor, c.tienda.isEmpty() ? QStringLiteral("-") : c.tienda,
                                 c.filas.size() == 1 ? QStringLiteral("1 renglón")
                                                     : QStringLiteral("%1 renglones").arg(c.filas.size()),
                                 c.piezas == 1 ? QStringLiteral("1 pieza") : QStringLiteral("%1 piezas").arg(c.piezas)) +
                        lineasDe(ws_, c.filas) + QStringLiteral("\r\n\r\n¿Imprimir su etiqueta?");
  if (c.filas.empty() || ws_.MsgBox(texto, Botones::SiNo, kCerrar, Icono::Pregunta) != Respuesta::Si) {
    if (c.filas.empty()) ws_.MsgBox(texto.section(QStringLiteral("\r\n"), 0, 0), Botones::Ok, kCerrar, Icono::Informacion);
    return Resultado::Hecho;
  }
  return etiquetaContenedor(ws_, c.contenedor);
}

Resultado ModoEmpaque::terminar() {
  if (!activo()) return Resultado::Rechazado;
  const std::vector<int> filas = empaque_->sinEscanear();
  if (!filas.empty()) {
    const QString cuantos = filas.size() == 1 ? QStringLiteral("1 renglón sin escanear")
                                              : QStringLiteral("%1 renglones sin escanear").arg(filas.size());
    const Respuesta r = ws_.MsgBox(cuantos + QStringLiteral(" (sin contenedor):") + lineasDe(ws_, filas) +
                                       QStringLiteral("\r\n\r\n¿Quitarlos del envío? Sí: se quitan. No: se "
                                                      "conservan para teclearlos a mano."),
                                   Botones::SiNoCancelar, kTerminar, Icono::Pregunta);
    if (r == Respuesta::Cancelar) return Resultado::Cancelado;
    QStringList ordenes;
    if (r == Respuesta::Si) empaque_->quitarSinEscanear(&ordenes);
    if (!ordenes.isEmpty())
      ws_.MsgBox((ordenes.size() == 1 ? QStringLiteral("La orden ") + ordenes.first() + QStringLiteral(" se quitó")
                                      : QStringLiteral("Las órdenes ") + ordenes.join(QStringLiteral(", ")) +
                                            QStringLiteral(" se quitaron")) +
                     QStringLiteral(" del envío: no le quedó ningún renglón."),
                 Botones::Ok, kTerminar, Icono::Informacion);
  }
  return alternar();
}

void ModoEmpaque::mostrar() {
  const bool on = activo();
  barra_->setVisible(on);
  estado_->setVisible(on);
  if (on) {
    // A command that changed the lines (an undo, say) is followed by reading
    // them again here, not by the next scan.
    empaque_->preparar();
    estado_->setText(empaque_->estado());
  }
  for (const char* n : {"cerrarcontenedor", "terminarempaque"})
    if (QAction* a = ventana_.accion(QString::fromLatin1(n))) a->setEnabled(on);
  if (QAction* a = ventana_.accion(QStringLiteral("empacar"))) a->setChecked(on);
  if (on && !QApplication::activeModalWidget()) caja_->setFocus(Qt::OtherFocusReason);
}
