// The window bench: the real main window (offscreen, as main() makes it, with
// its marks, totals, status bar and recovery copy) driven through its
// commands by a scripted prompter, on an order file of 20 orders of one
// department plus 100 lines of another, at the line counts given (5,000 and
// 50,000 by default). Each command is timed from its start until the window
// is idle again (its marks and totals followed), beside the same procedures
// run without a window (what aviso-lote runs) and, with --lote PROGRAM, the
// batch program itself on the same files.
//   aviso_ventana [--lote AVISO-LOTE] [N...]
//   aviso_ventana --pedidos ARCHIVO N      writes the order file of N lines only
//   aviso_ventana --trabajo ARCHIVO N      writes a work file of N lines that passes the checks
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <map>

#include "app/gridmodel.h"
#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/recuperador.h"
#include "consolidation/form2.h"
#include "documents/document_commands.h"
#include "generador.h"
#include "intake/inf_import.h"
#include "notice/output.h"
#include "workfile/workfile.h"
#include "workspace/columnas.h"

namespace {

constexpr int kOtroDepto = 100;  // lines of another department in the order file

// The prompter of the bench: the consolidation as PrompterBanco answers it,
// the label format 4x6 and every preview written as a PDF.
class PrompterVentanaBanco : public banco::PrompterBanco {
 public:
  QString pdf;
  qint64 aceptar = -1;  // when the consolidation's Aceptar was pressed (ms of `reloj`)
  QElapsedTimer reloj;
  // The window paints as it does with its own prompter; the longest stretch
  // of a command without painting is kept.
  void procesarEventos() override {
    pausa();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ultimo_.start();
  }
  void empezar() {
    mayorPausa = 0;
    ultimo_.start();
  }
  void pausa() { mayorPausa = qMax(mayorPausa, ultimo_.nsecsElapsed() / 1e9); }
  double mayorPausa = 0;
  QElapsedTimer ultimo_;
  void ejecutarDialogo(DialogoModelo& modelo) override {
    if (auto* f = dynamic_cast<FormatoEtiquetasModelo*>(&modelo)) return f->aceptar(FormatoEtiqueta::Termica4x6);
    if (auto* v = dynamic_cast<VistaPreviaModelo*>(&modelo)) {
      QPdfWriter w(pdf);
      w.setPageLayout(v->pagina);
      v->impreso = v->pintar(w);
      return;
    }
    if (auto* f = dynamic_cast<Form2Modelo*>(&modelo)) {
      for (const QString& e : elegir)
        if (f->seleccionarList1(e)) f->Command1_Click();
      aceptar = reloj.elapsed();
      f->Command2_Click();
    }
  }
};

// 20 orders of (n - 100) / 20 lines and 100 lines of department 456.
QByteArray archivoPedidos(int n) {
  const int nuestras = n - kOtroDepto;
  QList<QByteArray> lineas = banco::archivoInf(nuestras).split('\n');
  while (!lineas.isEmpty() && lineas.last().trimmed().isEmpty()) lineas.removeLast();
  QByteArray todo = lineas.join('\n') + '\n';
  for (int i = 0; i < kOtroDepto; ++i) {
    QStringList c = banco::camposLinea(i, kOtroDepto);
    c[0] = QStringLiteral("4600000001");
    c[1] = QStringLiteral("456");
    todo += c.join(QLatin1Char(',')).toLatin1() + "\r\n";
  }
  return todo;
}

void escribir(const QString& ruta, const QByteArray& datos) {
  QFile f(ruta);
  if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size()) std::fprintf(stderr, "no se escribió %s\n", qPrintable(ruta));
}

// The client's data and the delivery date and hour, as banco::ponerEnvio gives them.
void ponerCliente(Workspace& ws) {
  ws.vaSpread2.setText(2, 1, QStringLiteral("006"));
  ws.vaSpread2.setText(3, 1, QStringLiteral("Aviso de Vorarido de Tornavela"));
  ws.vaSpread2.setText(2, 2, QStringLiteral("1234"));
  ws.vaSpread2.setText(2, 14, QStringLiteral("45678"));
  ws.vaSpread2.setText(2, 16, QStringLiteral("ABCD010101-AB1"));
  ws.DTPicker1_4 = QDate(2026, 12, 9);
  ws.Text1[4] = QStringLiteral("09/12/2026");
  ws.Combo3.texto = QStringLiteral("09:00");
  ws.Combo3.indice = static_cast<int>(ws.Combo3.entradas.indexOf(ws.Combo3.texto));
}

// The window has nothing left to do: posted events delivered, the marks' timer run.
void hastaReposo() {
  for (int i = 0; i < 4; ++i) QApplication::processEvents();
}

struct Fila {
  QString comando;
  double ventana = -1, nucleo = -1, lote = -1;  // seconds
  QString nota;
};

class Banco {
 public:
  Banco(int n, const QString& lote) : n_(n), lote_(lote) {}

  std::vector<Fila> correr() {
    const QString d = dir_.path();
    QDir().mkpath(d + QStringLiteral("/ventana"));
    QDir().mkpath(d + QStringLiteral("/nucleo"));
    QDir().mkpath(d + QStringLiteral("/lote"));
    pedidos_ = d + QStringLiteral("/pedidos.inf");
    escribir(pedidos_, archivoPedidos(n_));
    trabajo_ = d + QStringLiteral("/ventana/envio.006");
    ventana();
    nucleo();
    if (!lote_.isEmpty()) lote();
    return filas_;
  }

 private:
  Fila& fila(const QString& comando) {
    for (Fila& f : filas_)
      if (f.comando == comando) return f;
    filas_.push_back({comando});
    return filas_.back();
  }

  static double medir(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e9;
  }

  void ventana() {
    const QString carpeta = dir_.path() + QStringLiteral("/ventana");
    PrompterVentanaBanco prompter;
    prompter.reloj.start();
    prompter.pdf = carpeta + QStringLiteral("/documento.pdf");
    RelojFijo reloj(banco::momento());
    PrompterVentana relevo(&prompter);
    Workspace ws(carpeta, relevo, reloj);
    MainWindow w(ws, relevo);
    w.resize(1366, 740);
    w.show();
    hastaReposo();
    if (!w.recuperador().activo()) std::fprintf(stderr, "la copia de recuperación está apagada\n");
    // A command from its menu item until the window is idle; the note gives
    // the longest time the window went without painting meanwhile.
    auto comando = [&](const QString& nombre) {
      prompter.empezar();
      const double s = medir([&] {
        w.accion(nombre)->trigger();
        hastaReposo();
      });
      prompter.pausa();
      return s;
    };
    auto anotarPausa = [&](const QString& fila_) {
      fila(fila_).nota = QStringLiteral("sin pintar a lo más %1 s").arg(prompter.mayorPausa, 0, 'f', 2);
    };

    prompter.elegir = banco::entradasForm2();
    prompter.abrir.push_back(pedidos_);
    const qint64 antes = prompter.reloj.elapsed();
    fila(QStringLiteral("importar y consolidar")).ventana = comando(QStringLiteral("importararchiv"));
    anotarPausa(QStringLiteral("importar y consolidar"));
    fila(QStringLiteral("Aceptar de la consolidación")).ventana =
        (prompter.reloj.elapsed() - qMax(antes, prompter.aceptar)) / 1e3;
    lineas_ = ws.vaspread1.dataRowCount();
    if (lineas_ != n_ - kOtroDepto) std::fprintf(stderr, "importadas %d líneas\n", lineas_);
    fila(QStringLiteral("deshacer la importación")).ventana = comando(QStringLiteral("deshacer"));
    anotarPausa(QStringLiteral("deshacer la importación"));
    if (ws.vaspread1.dataRowCount() != 0) std::fprintf(stderr, "deshacer dejó %d líneas\n", ws.vaspread1.dataRowCount());
    fila(QStringLiteral("rehacer la importación")).ventana = comando(QStringLiteral("rehacer"));
    anotarPausa(QStringLiteral("rehacer la importación"));

    // A shipment that passes the checks, made by one command.
    w.ejecutar([&] { banco::ponerEnvio(ws, lineas_); });
    hastaReposo();

    VistaGrid* v = w.vistaDetalle();
    // With `copia`, the recovery copy falls due after every cell (the clock moves past its limit).
    auto teclear = [&](int veces, double& maximo, bool copia) {
      double total = 0;
      for (int k = 0; k < veces; ++k) {
        const int f = 1 + (k * 97 + 13) % lineas_;
        const bool cantidad = k % 2 == 0;
        const QString texto = cantidad ? QString::number(1 + k % 9) : ws.vaspread1.text(colDetalle::Contenedor, f);
        const double s = medir([&] {
          v->alCambiarCelda(cantidad ? colDetalle::Cantidad : colDetalle::Contenedor, f, texto);
          if (copia) reloj.avanzar((Recuperador::kTope + 1) * 1000);
          hastaReposo();
        });
        total += s;
        maximo = qMax(maximo, s);
      }
      return total / veces;
    };
    double maximo = 0;
    Fila& tecleo = fila(QStringLiteral("teclear una celda (promedio de 100)"));
    tecleo.ventana = teclear(100, maximo, false);
    tecleo.nota = QStringLiteral("la más lenta %1 ms").arg(maximo * 1e3, 0, 'f', 1);
    // The recovery copy taken as often as it can be: the pauses it adds.
    maximo = 0;
    Fila& conCopia = fila(QStringLiteral("teclear con copia de recuperación continua"));
    conCopia.ventana = teclear(100, maximo, true);
    conCopia.nota = QStringLiteral("la pausa más larga %1 ms").arg(maximo * 1e3, 0, 'f', 1);
    w.recuperador().esperar();

    double mayor = 0, total = 0;
    for (int k = 0; k < 100; ++k) {
      const int f = 1 + (k * 499 + 7) % lineas_;
      const double s = medir([&] {
        v->setCurrentIndex(v->model()->index(f - 1, colDetalle::Cantidad - 1));
        hastaReposo();
      });
      total += s;
      mayor = qMax(mayor, s);
    }
    Fila& mover = fila(QStringLiteral("mover el cursor (promedio de 100)"));
    mover.ventana = total / 100;
    mover.nota = QStringLiteral("el más lento %1 ms").arg(mayor * 1e3, 0, 'f', 1);

    prompter.guardar.push_back(trabajo_);
    fila(QStringLiteral("guardar")).ventana = comando(QStringLiteral("guardararchiv"));
    anotarPausa(QStringLiteral("guardar"));
    prompter.abrir.push_back(trabajo_);
    fila(QStringLiteral("abrir")).ventana = comando(QStringLiteral("abrirarchiv"));
    anotarPausa(QStringLiteral("abrir"));
    prompter.guardar.push_back(carpeta + QStringLiteral("/aviso.txt"));
    fila(QStringLiteral("crear archivo a enviar")).ventana = comando(QStringLiteral("arch_env"));
    anotarPausa(QStringLiteral("crear archivo a enviar"));
    fila(QStringLiteral("etiquetas")).ventana = comando(QStringLiteral("etiquetas"));
    anotarPausa(QStringLiteral("etiquetas"));
    fila(QStringLiteral("lista de empaque")).ventana = comando(QStringLiteral("listaempaque"));
    anotarPausa(QStringLiteral("lista de empaque"));
    if (!QFile::exists(carpeta + QStringLiteral("/aviso.txt")) || !QFile::exists(trabajo_) || !QFile::exists(prompter.pdf))
      std::fprintf(stderr, "la ventana no escribió el aviso o el trabajo: %s\n", qPrintable(prompter.mensajes.join(QStringLiteral(" / "))));
    w.recuperador().esperar();
  }

  // The same procedures on a workspace without a window, as aviso-lote runs them.
  void nucleo() {
    const QString carpeta = dir_.path() + QStringLiteral("/nucleo");
    PrompterVentanaBanco prompter;
    prompter.pdf = carpeta + QStringLiteral("/documento.pdf");
    RelojFijo reloj(banco::momento());
    Workspace ws(carpeta, prompter, reloj);
    ponerCliente(ws);
    prompter.elegir = banco::entradasForm2();
    prompter.abrir.push_back(pedidos_);
    fila(QStringLiteral("importar y consolidar")).nucleo = medir([&] { importararchiv_Click(ws); });
    prompter.abrir.push_back(trabajo_);
    fila(QStringLiteral("abrir")).nucleo = medir([&] { abrirarchiv_Click(ws); });
    ponerCliente(ws);
    prompter.guardar.push_back(carpeta + QStringLiteral("/envio.006"));
    fila(QStringLiteral("guardar")).nucleo = medir([&] { guardararchiv_Click(ws); });
    prompter.guardar.push_back(carpeta + QStringLiteral("/aviso.txt"));
    fila(QStringLiteral("crear archivo a enviar")).nucleo = medir([&] { arch_env_Click(ws); });
    fila(QStringLiteral("etiquetas")).nucleo = medir([&] { etiquetas_Click(ws); });
    fila(QStringLiteral("lista de empaque")).nucleo = medir([&] { listaempaque_Click(ws); });
    if (!QFile::exists(carpeta + QStringLiteral("/aviso.txt")) || !QFile::exists(prompter.pdf))
      std::fprintf(stderr, "sin ventana no se escribió el aviso o el documento: %s\n", qPrintable(prompter.mensajes.join(QStringLiteral(" / "))));
  }

  double correrLote(const QStringList& argumentos) {
    const QString carpeta = dir_.path() + QStringLiteral("/lote");
    QProcess p;
    p.setWorkingDirectory(carpeta);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList a{QStringLiteral("--carpeta"), carpeta, QStringLiteral("--hoy"), QStringLiteral("07/12/2026")};
    const double s = medir([&] {
      p.start(lote_, a + argumentos);
      p.waitForFinished(-1);
    });
    if (p.exitCode() != 0) std::fprintf(stderr, "aviso-lote %s: estado %d\n", qPrintable(argumentos.join(QLatin1Char(' '))), p.exitCode());
    return s;
  }

  void lote() {
    const QString carpeta = dir_.path() + QStringLiteral("/lote/");
    correrLote({QStringLiteral("cliente"), QStringLiteral("--cliente"), QStringLiteral("1234"), QStringLiteral("--proveedor"),
                QStringLiteral("45678"), QStringLiteral("--rfc"), QStringLiteral("ABCD010101-AB1")});
    QStringList importar{QStringLiteral("importar"), pedidos_};
    for (int o = 0; o < banco::kOrdenes; ++o) importar << QStringLiteral("--orden") << banco::numeroOrden(o) + QStringLiteral(" - 123");
    importar << QStringLiteral("--trabajo") << carpeta + QStringLiteral("importado.006");
    fila(QStringLiteral("importar y consolidar")).lote = correrLote(importar);
    fila(QStringLiteral("crear archivo a enviar")).lote =
        correrLote({QStringLiteral("generar"), trabajo_, QStringLiteral("--entrega"), QStringLiteral("09/12/2026"),
                    QStringLiteral("--hora"), QStringLiteral("09:00"), QStringLiteral("--aviso"), carpeta + QStringLiteral("aviso.txt")});
    fila(QStringLiteral("etiquetas")).lote = correrLote({QStringLiteral("etiquetas"), trabajo_, QStringLiteral("--pdf"), carpeta + QStringLiteral("e.pdf")});
    fila(QStringLiteral("lista de empaque")).lote = correrLote({QStringLiteral("lista"), trabajo_, QStringLiteral("--pdf"), carpeta + QStringLiteral("l.pdf")});
  }

  int n_;
  QString lote_;
  QTemporaryDir dir_;
  QString pedidos_, trabajo_;
  int lineas_ = 0;
  std::vector<Fila> filas_;
};

QString segundos(double s) { return s < 0 ? QStringLiteral("") : QString::number(s, 'f', s < 0.1 ? 4 : 2); }

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString lote;
  std::vector<int> tamanos;
  const QStringList args = QCoreApplication::arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--lote") && i + 1 < args.size()) lote = QFileInfo(args[++i]).absoluteFilePath();
    else if (args[i] == QStringLiteral("--pedidos") && i + 2 < args.size()) {
      // The order file alone, to try the same road by hand.
      escribir(args[i + 1], archivoPedidos(args[i + 2].toInt()));
      return 0;
    } else if (args[i] == QStringLiteral("--trabajo") && i + 2 < args.size()) {
      // A work file of N lines that passes the checks, saved by the save command.
      QTemporaryDir carpeta;
      banco::PrompterBanco p;
      RelojFijo reloj(banco::momento());
      Workspace ws(carpeta.path(), p, reloj);
      banco::ponerEnvio(ws, args[i + 2].toInt());
      p.guardar.push_back(QFileInfo(args[i + 1]).absoluteFilePath());
      return guardararchiv_Click(ws) == Resultado::Hecho ? 0 : 1;
    }
    else tamanos.push_back(args[i].toInt());
  }
  if (tamanos.empty()) tamanos = {5000, 50000};
  std::map<int, std::vector<Fila>> resultados;
  for (int n : tamanos) resultados[n] = Banco(n, lote).correr();

  std::printf("| comando | líneas | ventana (s) | sin ventana (s) | aviso-lote (s) | ventana / aviso-lote (o sin ventana) | notas |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---|\n");
  for (const auto& [n, filas] : resultados) {
    for (const Fila& f : filas) {
      const double base = f.lote > 0 ? f.lote : f.nucleo;
      const QString razon = base > 0 && f.ventana >= 0 ? QString::number(f.ventana / base, 'f', 2) : QString();
      std::printf("| %s | %d | %s | %s | %s | %s | %s |\n", qPrintable(f.comando), n, qPrintable(segundos(f.ventana)),
                  qPrintable(segundos(f.nucleo)), qPrintable(segundos(f.lote)), qPrintable(razon), qPrintable(f.nota));
    }
  }
  if (resultados.size() == 2) {
    const auto& chica = resultados.begin()->second;
    const auto& grande = resultados.rbegin()->second;
    std::printf("\n| comando (ventana) | %d / %d líneas |\n|---|---:|\n", resultados.rbegin()->first, resultados.begin()->first);
    for (size_t i = 0; i < grande.size() && i < chica.size(); ++i)
      if (chica[i].ventana > 0) std::printf("| %s | %.1f |\n", qPrintable(grande[i].comando), grande[i].ventana / chica[i].ventana);
  }
  return 0;
}
