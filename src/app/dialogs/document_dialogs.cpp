#include "app/dialogs/document_dialogs.h"

#include <QComboBox>
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
  QObject::connect(&forma, &QPrintPreviewDialog::paintRequested, &forma,
                   [&m](QPrinter* p) { m.pintar(*p); });
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
