#include "app/dialogs/document_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dialogs/forms.h"
#include "app/qtprompter.h"
#include "documents/document_commands.h"

namespace {

constexpr FormatoEtiqueta kFormatos[] = {FormatoEtiqueta::Termica4x6, FormatoEtiqueta::Carta, FormatoEtiqueta::A4};

void elegirFormato(QtPrompter& p, FormatoEtiquetasModelo& m, QWidget* padre) {
  QDialog forma(padre);
  forma.setObjectName(QStringLiteral("FormatoEtiquetas"));
  forma.setWindowTitle(kTituloEtiquetas);
  forma.setMinimumWidth(forma.fontMetrics().horizontalAdvance(QLatin1Char('x')) * 45);
  auto* lista = new QComboBox(&forma);
  lista->setObjectName(QStringLiteral("formato"));
  for (FormatoEtiqueta f : kFormatos) lista->addItem(nombreFormato(f));
  auto* etiqueta = new QLabel(QStringLiteral("&Formato de las etiquetas:"), &forma);
  etiqueta->setBuddy(lista);
  QPushButton* aceptar = boton(&forma, QStringLiteral("aceptar"), QStringLiteral("Aceptar"));
  QPushButton* cancelar = boton(&forma, QStringLiteral("cancelar"), QStringLiteral("Cancelar"));
  aceptar->setDefault(true);  // one choice only: Enter takes it
  QObject::connect(aceptar, &QPushButton::clicked, &forma, &QDialog::accept);
  QObject::connect(cancelar, &QPushButton::clicked, &forma, &QDialog::reject);
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(aceptar);
  botones->addWidget(cancelar);
  auto* capas = new QVBoxLayout(&forma);
  capas->addWidget(etiqueta);
  capas->addWidget(lista);
  capas->addLayout(botones);
  ejecutarForma(p, forma);
  if (forma.result() == QDialog::Accepted) m.aceptar(kFormatos[qBound(0, lista->currentIndex(), 2)]);
  else m.cancelar();
}

// The print dialog of the preview, offering the PDF's folder and name.
void imprimir(QPrintPreviewDialog& forma, QPrinter& impresora, VistaPreviaModelo& m) {
  QPrintDialog dialogo(&impresora, &forma);
  if (auto* archivo = dialogo.findChild<QLineEdit*>(QStringLiteral("filename")))
    archivo->setText(QDir(m.carpetaPdf).filePath(m.nombrePdf));
  if (dialogo.exec() != QDialog::Accepted) return;
  if (auto* vista = forma.findChild<QPrintPreviewWidget*>()) vista->print();
  if (impresora.outputFormat() == QPrinter::PdfFormat) m.pdfEscrito = impresora.outputFileName();
  forma.accept();
}

void vistaPrevia(VistaPreviaModelo& m, QWidget* padre) {
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setDocName(m.titulo);
  impresora.setPageLayout(m.pagina);
  QPrintPreviewDialog forma(&impresora, padre);
  forma.setObjectName(QStringLiteral("VistaPrevia"));
  forma.setWindowTitle(m.titulo);
  // Most of the screen, so a page can be read before it is printed.
  if (const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen())
    forma.resize(pantalla->availableGeometry().size() * 0.85);
  ajustarAPantalla(forma);
  QObject::connect(&forma, &QPrintPreviewDialog::paintRequested, &forma,
                   [&m](QPrinter* p) { m.pintar(*p); });
  // Its print button, also on Ctrl+P, prints through the dialog that offers the PDF's name.
  const QString textoImprimir = QCoreApplication::translate("QPrintPreviewDialog", "Print");
  for (QAction* a : forma.findChildren<QAction*>()) {
    if (a->text() != textoImprimir) continue;
    QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
    a->setObjectName(QStringLiteral("imprimir"));
    a->setShortcut(QKeySequence::Print);
    a->setToolTip(textoImprimir + QStringLiteral(" (") + a->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')'));
    QObject::connect(a, &QAction::triggered, &forma, [&] { imprimir(forma, impresora, m); });
  }
  m.impreso = forma.exec() == QDialog::Accepted;
  m.cerrado = true;
}

}  // namespace

void registrarFormasDocumentos(QtPrompter& p) {
  QtPrompter* prompter = &p;
  p.registrar(QStringLiteral("FormatoEtiquetas"), [prompter](DialogoModelo& modelo, QWidget* padre) {
    if (auto* m = dynamic_cast<FormatoEtiquetasModelo*>(&modelo)) elegirFormato(*prompter, *m, padre);
  });
  p.registrar(QStringLiteral("VistaPrevia"), [](DialogoModelo& modelo, QWidget* padre) {
    if (auto* m = dynamic_cast<VistaPreviaModelo*>(&modelo)) vistaPrevia(*m, padre);
  });
}
