#include "app/qtprompter.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <thread>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

Respuesta QtPrompter::mostrar(const Mensaje& m) {
  const bool estabaOcupado = ocupado_;
  if (estabaOcupado) QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(ventana_);
  box.setWindowModality(Qt::WindowModal);
  box.setWindowTitle(m.titulo);
  box.setText(m.texto);
  switch (m.icono) {
    case Icono::Informacion: box.setIcon(QMessageBox::Information); break;
    case Icono::Exclamacion: box.setIcon(QMessageBox::Warning); break;
    case Icono::Critico: box.setIcon(QMessageBox::Critical); break;
    case Icono::Pregunta: box.setIcon(QMessageBox::Question); break;
    // A question asked without an icon of its own shows the question mark;
    // a plain notice (the About box among them) shows none.
    case Icono::Ninguno: box.setIcon(m.botones == Botones::Ok ? QMessageBox::NoIcon : QMessageBox::Question); break;
  }
  // Spanish captions; the harmless button is the default of every question.
  QPushButton* ok = nullptr;
  QPushButton* si = nullptr;
  QPushButton* no = nullptr;
  QPushButton* cancelar = nullptr;
  switch (m.botones) {
    case Botones::Ok:
      ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
      box.setDefaultButton(ok);
      box.setEscapeButton(ok);
      break;
    case Botones::OkCancelar:
      ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
      cancelar = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
      box.setDefaultButton(cancelar);
      box.setEscapeButton(cancelar);
      break;
    case Botones::SiNo:
      si = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
      no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
      box.setDefaultButton(no);
      box.setEscapeButton(no);
      break;
    case Botones::SiNoCancelar:
      si = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
      no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
      cancelar = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
      box.setDefaultButton(cancelar);
      box.setEscapeButton(cancelar);
      break;
  }
  box.exec();
  if (estabaOcupado) QApplication::restoreOverrideCursor();
  QAbstractButton* b = box.clickedButton();
  if (b && b == si) return Respuesta::Si;
  if (b && b == no) return Respuesta::No;
  if (b && b == ok) return Respuesta::Ok;
  if (m.botones == Botones::Ok) return Respuesta::Ok;
  if (m.botones == Botones::SiNo) return Respuesta::No;
  return Respuesta::Cancelar;
}

QString QtPrompter::filtroQt(const QString& filtro, int indice, QString* elegido) {
  const QStringList partes = filtro.split(QLatin1Char('|'));
  QStringList salida;
  for (int i = 0; i + 1 < partes.size(); i += 2) {
    const QString f = partes[i].trimmed() + QStringLiteral(" (") + QString(partes[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QStringLiteral(")");
    salida.append(f);
    if (elegido && i / 2 + 1 == indice) *elegido = f;
  }
  return salida.join(QStringLiteral(";;"));
}

QString QtPrompter::extension(const DialogoArchivo& d) {
  const QStringList partes = d.filtro.split(QLatin1Char('|'));
  const int i = 2 * qMax(0, d.filtroInicial - 1) + 1;
  const QString patron = partes.value(i < partes.size() ? i : 1).section(QLatin1Char(';'), 0, 0).trimmed();
  const QString ext = patron.startsWith(QStringLiteral("*.")) ? patron.mid(2) : QString();
  return ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')) ? QString() : ext;
}

// The file dialogs speak Spanish whatever translations the machine has.
static void etiquetasEnEspanol(QFileDialog& dlg, bool abrir) {
  dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
  dlg.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre de archivo:"));
  dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo de archivo:"));
  dlg.setLabelText(QFileDialog::Accept, abrir ? QStringLiteral("&Abrir") : QStringLiteral("&Guardar"));
  dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
}

QString QtPrompter::abrirArchivo(const DialogoArchivo& d) {
  QString elegido;
  const QString filtro = filtroQt(d.filtro, d.filtroInicial, &elegido);
  QFileDialog dlg(ventana_, d.titulo, d.carpetaInicial, filtro);
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(QFileDialog::ExistingFile);
  etiquetasEnEspanol(dlg, true);
  if (!elegido.isEmpty()) dlg.selectNameFilter(elegido);
  if (!d.nombre.isEmpty() && !d.nombre.contains(QLatin1Char('*'))) dlg.selectFile(d.nombre);
  const bool estabaOcupado = ocupado_;
  if (estabaOcupado) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool ok = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
  if (estabaOcupado) QApplication::restoreOverrideCursor();
  return ok ? dlg.selectedFiles().first() : QString();
}

QString QtPrompter::guardarArchivo(const DialogoArchivo& d) {
  QString elegido;
  const QString filtro = filtroQt(d.filtro, d.filtroInicial, &elegido);
  QFileDialog dlg(ventana_, d.titulo, d.carpetaInicial, filtro);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  etiquetasEnEspanol(dlg, false);
  dlg.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmarSobrescribir);
  // A name typed without extension gets the kind's own, before the overwrite
  // question, so the file shows in the dialog that opens it later.
  dlg.setDefaultSuffix(extension(d));
  if (!elegido.isEmpty()) dlg.selectNameFilter(elegido);
  if (!d.nombre.isEmpty() && !d.nombre.contains(QLatin1Char('*'))) dlg.selectFile(d.nombre);
  const bool estabaOcupado = ocupado_;
  if (estabaOcupado) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool ok = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
  if (estabaOcupado) QApplication::restoreOverrideCursor();
  return ok ? dlg.selectedFiles().first() : QString();
}

void QtPrompter::ejecutarDialogo(DialogoModelo& modelo) {
  auto it = formas_.constFind(modelo.forma());
  if (it != formas_.constEnd()) (*it)(modelo, ventana_);
}

void QtPrompter::beep() { QApplication::beep(); }

std::optional<QString> QtPrompter::pedirClave(const QString& titulo, const QString& texto) {
  QInputDialog d(ventana_);
  d.setObjectName(QStringLiteral("pedirClave"));
  d.setWindowTitle(titulo);
  d.setLabelText(texto);
  d.setTextEchoMode(QLineEdit::Password);
  d.setOkButtonText(QStringLiteral("&Aceptar"));
  d.setCancelButtonText(QStringLiteral("&Cancelar"));
  const bool estabaOcupado = ocupado_;
  if (estabaOcupado) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool ok = d.exec() == QDialog::Accepted;
  if (estabaOcupado) QApplication::restoreOverrideCursor();
  if (!ok) return std::nullopt;
  return d.textValue();
}

void QtPrompter::conAvance(const QString& titulo, const std::function<void(const Avance&)>& trabajo) {
  QProgressDialog d(titulo, QStringLiteral("&Cancelar"), 0, 0, ventana_);
  d.setObjectName(QStringLiteral("avance"));
  d.setWindowTitle(titulo);
  d.setWindowModality(Qt::WindowModal);
  d.setMinimumDuration(0);
  d.setAutoClose(false);
  d.setAutoReset(false);
  std::atomic<qint64> hechos{0}, total{0};
  std::atomic<bool> cancelado{false};
  QEventLoop ciclo;
  // Cancelar asks the job to stop; the dialog stays until it has.
  QObject::connect(&d, &QProgressDialog::canceled, &ciclo, [&] {
    cancelado = true;
    d.setLabelText(QStringLiteral("Cancelando..."));
    d.show();
  });
  QTimer reloj;
  QObject::connect(&reloj, &QTimer::timeout, &d, [&] {
    const qint64 t = total, h = hechos;
    if (t <= 0 || cancelado) return;
    // The bar counts kilobytes, so that a large file fits its int range.
    d.setMaximum(int(qMax<qint64>(1, t / 1024)));
    d.setValue(int(qMin(t, h) / 1024));
    d.setLabelText(titulo + QStringLiteral("\n%1 de %2 bytes").arg(h).arg(t));
  });
  reloj.start(100);
  const bool estabaOcupado = ocupado_;
  if (estabaOcupado) QApplication::setOverrideCursor(Qt::ArrowCursor);
  d.show();
  std::thread hilo([&] {
    trabajo([&](qint64 h, qint64 t) {
      hechos = h;
      total = t;
      return !cancelado.load();
    });
    QMetaObject::invokeMethod(&ciclo, &QEventLoop::quit, Qt::QueuedConnection);
  });
  ciclo.exec();
  hilo.join();
  reloj.stop();
  if (estabaOcupado) QApplication::restoreOverrideCursor();
}

QString QtPrompter::leerPortapapeles() const {
  const QClipboard* c = QGuiApplication::clipboard();
  return c ? c->text() : QString();
}

void QtPrompter::escribirPortapapeles(const QString& texto) {
  if (QClipboard* c = QGuiApplication::clipboard()) c->setText(texto);
}

void QtPrompter::procesarEventos() {
  // Paint, but take no user input: no command starts while another runs.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPrompter::cursorOcupado(bool ocupado) {
  if (ocupado == ocupado_) return;
  ocupado_ = ocupado;
  if (ocupado) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}
