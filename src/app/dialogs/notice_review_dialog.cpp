#include "app/dialogs/notice_review_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/forms.h"
#include "app/qtprompter.h"
#include "documents/notice_check.h"
#include "documents/notice_review.h"

using namespace registro;

namespace {

constexpr int kLinea = Qt::UserRole, kColumna = Qt::UserRole + 1;

QString piezas(qint64 centesimos) {
  return textoPiezas(centesimos) + (centesimos == 100 ? QStringLiteral(" pieza") : QStringLiteral(" piezas"));
}

// A record's line in the tree: its text, its line and where a double click goes.
QTreeWidgetItem* nodo(QTreeWidgetItem* padre, const QString& elemento, int linea, int columna, const QString& valor) {
  auto* i = new QTreeWidgetItem(padre, {elemento, linea > 0 ? QString::number(linea) : QString(), valor});
  i->setData(0, kLinea, linea);
  i->setData(0, kColumna, columna);
  return i;
}

// The fields of a record, one child each, at their own columns.
void campos(QTreeWidgetItem* padre, const RegistroLeido& r) {
  for (size_t j = 1; j < r.campos.size(); ++j)
    nodo(padre, r.registro->campos[j].nombre, r.linea, r.campos[j].columna, r.legible(static_cast<int>(j)));
}

// Control characters shown as their visible symbols, one column each.
QString visible(QString t) {
  for (QChar& c : t) {
    if (c.unicode() < 0x20) c = QChar(0x2400 + c.unicode());
    else if (c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0)) c = QChar(0x2421);
  }
  return t;
}

}  // namespace

RevisionAvisoDialogo::RevisionAvisoDialogo(RevisionAvisoModelo& m, QtPrompter& p, QWidget* padre)
    : QDialog(padre), m_(m), prompter_(p) {
  setObjectName(QStringLiteral("RevisionAviso"));
  setWindowTitle(QStringLiteral("Revisar aviso - ") + QFileInfo(m.ruta).fileName());
  resize(1100, 700);
  resumen_ = new QLabel(this);
  resumen_->setObjectName(QStringLiteral("resumen"));
  resumen_->setWordWrap(true);
  arbol_ = new QTreeWidget(this);
  arbol_->setObjectName(QStringLiteral("arbolAviso"));
  arbol_->setHeaderLabels({QStringLiteral("Elemento"), QStringLiteral("Línea"), QStringLiteral("Valor")});
  texto_ = new QPlainTextEdit(this);
  texto_->setObjectName(QStringLiteral("textoAviso"));
  texto_->setReadOnly(true);
  texto_->setLineWrapMode(QPlainTextEdit::NoWrap);
  texto_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  hallazgos_ = new QTreeWidget(this);
  hallazgos_->setObjectName(QStringLiteral("hallazgos"));
  hallazgos_->setRootIsDecorated(false);
  hallazgos_->setHeaderLabels({QStringLiteral("Línea"), QStringLiteral("Columna"), QStringLiteral("Falta o advertencia")});

  auto* arriba = new QSplitter(Qt::Horizontal);
  arriba->addWidget(arbol_);
  arriba->addWidget(texto_);
  auto* partes = new QSplitter(Qt::Vertical);
  partes->addWidget(arriba);
  partes->addWidget(hallazgos_);
  partes->setStretchFactor(0, 3);
  partes->setStretchFactor(1, 1);

  auto* botones = new QDialogButtonBox(this);
  QPushButton* comparar = boton(this, QStringLiteral("comparar"), QStringLiteral("Comparar con archivo de trabajo..."));
  botones->addButton(comparar, QDialogButtonBox::ActionRole);
  QPushButton* cerrar = boton(this, QStringLiteral("cerrar"), QStringLiteral("Cerrar"));
  botones->addButton(cerrar, QDialogButtonBox::RejectRole);
  connect(comparar, &QPushButton::clicked, this, [this] { this->comparar(); });
  connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);

  auto* capa = new QVBoxLayout(this);
  capa->addWidget(resumen_);
  capa->addWidget(partes, 1);
  capa->addWidget(botones);

  const auto ir = [this](QTreeWidgetItem* i) {
    if (i && i->data(0, kLinea).toInt() > 0) irA(i->data(0, kLinea).toInt(), i->data(0, kColumna).toInt());
  };
  connect(arbol_, &QTreeWidget::itemDoubleClicked, this, ir);
  connect(hallazgos_, &QTreeWidget::itemDoubleClicked, this, ir);
  mostrar();
}

void RevisionAvisoDialogo::mostrar() {
  const AvisoLeido& a = m_.aviso;
  QStringList lineas;
  for (const QString& l : a.lineas) lineas.append(visible(l));
  texto_->setPlainText(lineas.join(QLatin1Char('\n')));
  arbol_->clear();
  for (const PedidoLeido& p : a.pedidos) {
    auto* pedido = nodo(nullptr, QStringLiteral("Pedido ") + p.hd.legible(hd::kPedido), p.hd.linea, 1,
                        textoTotales(static_cast<int>(p.contenedores.size()), p.lineas(), p.centesimos()));
    arbol_->addTopLevelItem(pedido);
    campos(pedido, p.hd);
    for (const ContenedorLeido& c : p.contenedores) {
      auto* cont = nodo(pedido, QStringLiteral("Contenedor ") + c.cn.legible(cn::kContenedor), c.cn.linea, 1,
                        QStringLiteral("tienda %1, tipo de mercancía %2: ")
                                .arg(c.cn.legible(cn::kTienda), c.cn.legible(cn::kMercancia)) +
                            textoTotales(1, static_cast<int>(c.detalles.size()), c.centesimos()).section(QStringLiteral(", "), 1));
      for (const DetalleLeido& d : c.detalles) {
        const RegistroLeido& r = d.dt;
        auto* linea = nodo(cont, QStringLiteral("SKU ") + r.legible(dt::kSku), r.linea, 1,
                           QStringLiteral("%1 %2, modelo %3, talla %4, color %5: %6")
                               .arg(r.legible(dt::kTipoCodigo), r.legible(dt::kBarras), r.legible(dt::kModelo),
                                    r.legible(dt::kTalla), r.legible(dt::kColor), piezas(d.centesimos)));
        campos(linea, r);
      }
    }
  }
  arbol_->addTopLevelItem(nodo(nullptr, QStringLiteral("Total del aviso"), 0, 0,
                               QStringLiteral("%1 %2, ")
                                       .arg(a.pedidos.size())
                                       .arg(a.pedidos.size() == 1 ? QStringLiteral("pedido") : QStringLiteral("pedidos")) +
                                   textoTotales(a.contenedores(), a.lineasDetalle(), a.centesimos())));
  for (int i = 0; i < arbol_->topLevelItemCount(); ++i) arbol_->topLevelItem(i)->setExpanded(true);
  arbol_->resizeColumnToContents(0);

  hallazgos_->clear();
  for (const Hallazgo& h : a.hallazgos) {
    auto* i = new QTreeWidgetItem(hallazgos_, {h.linea > 0 ? QString::number(h.linea) : QString(),
                                              h.linea > 0 ? QString::number(h.columna) : QString(), h.texto});
    i->setIcon(0, style()->standardIcon(h.falta ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
    i->setData(0, kLinea, h.linea);
    i->setData(0, kColumna, h.columna);
  }
  QString texto = QStringLiteral("%1: %2 faltas, %3 advertencias.")
                      .arg(QFileInfo(m_.ruta).fileName())
                      .arg(a.faltas())
                      .arg(a.advertencias());
  if (a.omitidos() > 0)
    texto += QStringLiteral(" Se listan los primeros %1 hallazgos; %2 más no se listan.").arg(kMaximoHallazgos).arg(a.omitidos());
  if (!m_.trabajo.isEmpty()) texto += QStringLiteral(" Comparado con ") + QFileInfo(m_.trabajo).fileName() + QLatin1Char('.');
  resumen_->setText(texto);
}

void RevisionAvisoDialogo::comparar() {
  if (m_.compararConTrabajo(prompter_, QFileInfo(m_.ruta).absolutePath())) mostrar();
}

void RevisionAvisoDialogo::irA(int linea, int columna) {
  const QTextBlock bloque = texto_->document()->findBlockByNumber(linea - 1);
  if (!bloque.isValid()) return;
  QTextCursor c(bloque);
  const int posicion = qBound(0, columna - 1, bloque.length() - 1);
  c.setPosition(bloque.position() + posicion);
  if (posicion < bloque.length() - 1) c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
  texto_->setTextCursor(c);
  texto_->ensureCursorVisible();
  texto_->setFocus();
}

void registrarRevisionAviso(QtPrompter& p) {
  QtPrompter* prompter = &p;
  p.registrar(QStringLiteral("RevisionAviso"), [prompter](DialogoModelo& modelo, QWidget* padre) {
    auto* m = dynamic_cast<RevisionAvisoModelo*>(&modelo);
    if (!m) return;
    RevisionAvisoDialogo forma(*m, *prompter, padre);
    ejecutarForma(*prompter, forma);
    m->cerrado = true;
  });
}
