// Times of the commands on generated shipments of 5,000 and 50,000 lines,
// printed at the end as one table (with the 50,000 / 5,000 ratio).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "documents/labels.h"
#include "editing/busqueda.h"
#include "editing/totales.h"
#include "documents/packing_list.h"
#include "generador.h"
#include "intake/inf_import.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"
#include "notice/builder.h"
#include "notice/line_checks.h"
#include "notice/output.h"
#include "notice/validation.h"
#include "workspace/textfile.h"
#include "workspace/workspace.h"
#if __has_include("workfile/workfile.h")
#include "workfile/workfile.h"
#define AVISO_BANCO_TRABAJO 1
#endif

namespace {

// A program folder, a prompter and a workspace with the bench's clock.
struct Entorno {
  QTemporaryDir dir;
  banco::PrompterBanco prompter;
  RelojFijo reloj{banco::momento()};
  std::unique_ptr<Workspace> ws;
  Entorno() { ws = std::make_unique<Workspace>(dir.path(), prompter, reloj); }
  QString ruta(const QString& nombre) const { return dir.path() + QLatin1Char('/') + nombre; }
  void escribir(const QString& nombre, const QByteArray& bytes) const {
    QFile f(ruta(nombre));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
  }
};

int lineas(const benchmark::State& s) { return static_cast<int>(s.range(0)); }

bool revisar(benchmark::State& s, bool bien, const Entorno& e, const char* que) {
  if (bien) return true;
  std::string m = std::string(que) + ": ";
  if (!e.prompter.mensajes.isEmpty()) m += e.prompter.mensajes.last().toStdString();
  s.SkipWithError(m.c_str());
  return false;
}

void BM_ImportarInf(benchmark::State& s) {
  Entorno e;
  e.escribir(QStringLiteral("pedidos.inf"), banco::archivoInf(lineas(s)));
  e.prompter.elegir = banco::entradasForm2();
  for (auto _ : s) {
    e.prompter.abrir.push_back(e.ruta(QStringLiteral("pedidos.inf")));
    importararchiv_Click(*e.ws);
    if (!revisar(s, e.ws->vaspread1.dataRowCount() == lineas(s) && e.ws->vaSpread9.dataRowCount() == 20, e,
                 "importar INF"))
      break;
  }
}

void BM_ImportarTabYElegir(benchmark::State& s) {
  Entorno e;
  e.escribir(QStringLiteral("pedidos.txt"), banco::archivoTab(lineas(s)));
  const QString orden = banco::numeroOrden(0);
  for (auto _ : s) {
    e.prompter.abrir.push_back(e.ruta(QStringLiteral("pedidos.txt")));
    arrch_tabulador_Click(*e.ws);
    e.ws->Combo2.texto = orden;
    e.ws->Combo2.indice = static_cast<int>(e.ws->Combo2.entradas.indexOf(orden));
    Combo2_Click(*e.ws);
    if (!revisar(s, e.ws->vaspread1.dataRowCount() == (lineas(s) - 1) / 20 && e.ws->vaSpread9.dataRowCount() == 1, e,
                 "importar tabulado"))
      break;
  }
}

void BM_Validar(benchmark::State& s) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  for (auto _ : s) {
    const bool ok = validar(*e.ws) == Resultado::Hecho;
    if (!revisar(s, ok && e.ws->vaspread1.dataRowCount() == lineas(s), e, "validar")) break;
  }
}

// Every line reviewed as the marks of the detail grid need it: the review of
// the whole grid made once, then each line asked.
void BM_RevisarRenglones(benchmark::State& s) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  for (auto _ : s) {
    const RevisionDetalle revision(e.ws->vaspread1, e.ws->vaSpread9);
    int rechazadas = 0;
    for (int r = 1; r <= revision.lineas(); ++r) rechazadas += revision.linea(r).rechazada();
    if (!revisar(s, rechazadas == 0, e, "revisar renglones")) break;
  }
}

// The shipment in ten-line containers (5,000 for 50,000 lines), each of one store.
void ponerEnvioEnCajas(Workspace& ws, int n) {
  banco::ponerEnvio(ws, n);
  const int cajas = qMax(1, n / (banco::kTiendas * 10));
  std::map<int, int> contadas;
  for (int r = 1; r <= n; ++r) {
    const int tienda = ws.vaspread1.text(5, r).toInt() - 1;
    ws.vaspread1.setText(15, r, banco::contenedor(tienda, contadas[tienda]++ % cajas));
  }
}

// Labels or packing list of the shipment as a PDF: the line checks, the merged
// copy, the painting and the file written.
void documentoPdf(benchmark::State& s, const std::function<bool(const Envio&, QPagedPaintDevice&)>& pintar) {
  Entorno e;
  ponerEnvioEnCajas(*e.ws, lineas(s));
  const QString ruta = e.ruta(QStringLiteral("documento.pdf"));
  for (auto _ : s) {
    QFile::remove(ruta);
    Envio envio;
    bool ok = armarEnvio(*e.ws, envio) == Resultado::Hecho;
    ok = ok && guardarPdf(ruta, QStringLiteral("banco"), [&](QPagedPaintDevice& d) { return pintar(envio, d); }).ok;
    const bool cajas = lineas(s) != 50000 || envio.contenedores.size() == 5000;
    if (!revisar(s, ok && cajas, e, "documento")) break;
  }
  s.counters["MB"] = static_cast<double>(QFile(ruta).size()) / 1e6;
}
void BM_EtiquetasPdf(benchmark::State& s) {
  documentoPdf(s, [](const Envio& e, QPagedPaintDevice& d) {
    return pintarEtiquetas(e, FormatoEtiqueta::Termica4x6, d);
  });
}
void BM_EtiquetasHojaPdf(benchmark::State& s) {
  documentoPdf(s, [](const Envio& e, QPagedPaintDevice& d) {
    return pintarEtiquetas(e, FormatoEtiqueta::Carta, d);
  });
}
void BM_ListaEmpaquePdf(benchmark::State& s) {
  documentoPdf(s, [](const Envio& e, QPagedPaintDevice& d) { return pintarListaEmpaque(e, d); });
}

// Find in the window: a SKU that no line has (every line read) and a
// container by its beginning from the first line.
void BM_Buscar(benchmark::State& s) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  const Busqueda ninguno{CampoBusqueda::Sku, QStringLiteral("NO-EXISTE"), true};
  const Busqueda ultimo{CampoBusqueda::Contenedor, e.ws->vaspread1.text(15, lineas(s)).left(6), false};
  for (auto _ : s) {
    const bool ok = buscarRenglon(e.ws->vaspread1, ninguno, 1, true) == 0 &&
                    buscarRenglon(e.ws->vaspread1, ultimo, lineas(s), false) > 0;
    if (!revisar(s, ok, e, "buscar")) break;
  }
}

// The totals of the status bar, counted again after each change.
void BM_Totales(benchmark::State& s) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  for (auto _ : s) {
    const Totales t = contarEnvio(e.ws->vaspread1, lineas(s) / 2);
    if (!revisar(s, t.envio.lineas == lineas(s), e, "totales")) break;
  }
}

void BM_Preparar(benchmark::State& s) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  e.ws->vaspread1.sortRows({SortKey{15, true}});
  e.ws->vaSpread6.sortRows({SortKey{15, true}});
  if (!revisar(s, validar(*e.ws) == Resultado::Hecho, e, "validar")) return;
  for (auto _ : s) {
    const bool ok = preparar(*e.ws) == Resultado::Hecho;
    if (!revisar(s, ok && e.ws->vaSpread3.dataRowCount() > lineas(s), e, "preparar")) break;
  }
}

// The file command: checks, sort by container, validar, preparar and the notice written.
void BM_CrearAviso(benchmark::State& s) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  const QString aviso = e.ruta(QStringLiteral("aviso.txt"));
  for (auto _ : s) {
    QFile::remove(aviso);
    e.prompter.guardar.push_back(aviso);
    arch_env_Click(*e.ws);
    if (!revisar(s, QFile(aviso).size() > lineas(s) * 50, e, "crear aviso")) break;
  }
}

void BM_OrdenarPorContenedor(benchmark::State& s) {
  Entorno e;
  // Every pass sorts the lines in their generated order (by order, store, SKU); only the sort is timed.
  for (auto _ : s) {
    banco::ponerEnvio(*e.ws, lineas(s));
    const auto inicio = std::chrono::steady_clock::now();
    e.ws->vaspread1.sortRows({SortKey{15, true}});
    s.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count());
  }
  const Grid& g = e.ws->vaspread1;
  for (int r = 2; r <= g.dataRowCount(); ++r)
    if (g.text(15, r - 1) > g.text(15, r)) {
      s.SkipWithError("orden por contenedor roto");
      break;
    }
}

#ifdef AVISO_BANCO_TRABAJO
void BM_Guardar(benchmark::State& s) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  const QString trabajo = e.ruta(QStringLiteral("envio.006"));
  for (auto _ : s) {
    QFile::remove(trabajo);
    e.prompter.guardar.push_back(trabajo);
    guardararchiv_Click(*e.ws);
    if (!revisar(s, QFile::exists(trabajo), e, "guardar")) break;
  }
}

void abrirTrabajo(benchmark::State& s, bool conBitacora) {
  Entorno e;
  banco::ponerEnvio(*e.ws, lineas(s));
  const QString trabajo = e.ruta(QStringLiteral("envio.006"));
  e.prompter.guardar.push_back(trabajo);
  guardararchiv_Click(*e.ws);
  for (auto _ : s) {
    e.ws->vaspread1.deleteAllRows();
    e.ws->vaSpread6.deleteAllRows();
    e.ws->vaSpread9.deleteAllRows();
    e.ws->log.setTrazaPorCelda(conBitacora);
    e.prompter.abrir.push_back(trabajo);
    abrirarchiv_Click(*e.ws);
    if (!revisar(s, e.ws->vaspread1.dataRowCount() == lineas(s) && e.ws->vaSpread9.dataRowCount() == 20, e,
                 "abrir"))
      break;
    s.PauseTiming();
    QFile::remove(e.ws->log.rutaDelDia());
    s.ResumeTiming();
  }
}
void BM_AbrirSinTrazaPorCelda(benchmark::State& s) { abrirTrabajo(s, false); }
void BM_Abrir(benchmark::State& s) { abrirTrabajo(s, true); }
#endif

// One log line, and the same bytes appended by a bare open-append-close.
const QString kTraza = QStringLiteral("ENTRO AL EVENTO-----abrir_archivo-----llenar datos en vaspread1 grid visible");

void BM_EscribirLog(benchmark::State& s) {
  Entorno e;
  for (auto _ : s) e.ws->EscribirLog(kTraza);
  s.SetItemsProcessed(s.iterations());
}

void BM_AnexarDirecto(benchmark::State& s) {
  Entorno e;
  const QByteArray linea = texto::a1252(QStringLiteral("07/12/2026 10:30:00, ") + kTraza + QStringLiteral("\r\n"));
  const std::string ruta = e.ruta(QStringLiteral("directo.txt")).toStdString();
  for (auto _ : s) {
    std::FILE* f = std::fopen(ruta.c_str(), "ab");
    std::fwrite(linea.constData(), 1, static_cast<size_t>(linea.size()), f);
    std::fclose(f);
  }
  s.SetItemsProcessed(s.iterations());
}

#define POR_TAMANO(bm) BENCHMARK(bm)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)
POR_TAMANO(BM_ImportarInf);
POR_TAMANO(BM_ImportarTabYElegir);
POR_TAMANO(BM_Validar);
POR_TAMANO(BM_RevisarRenglones);
POR_TAMANO(BM_Buscar);
POR_TAMANO(BM_Totales);
POR_TAMANO(BM_Preparar);
POR_TAMANO(BM_EtiquetasPdf);
POR_TAMANO(BM_EtiquetasHojaPdf);
POR_TAMANO(BM_ListaEmpaquePdf);
POR_TAMANO(BM_CrearAviso);
POR_TAMANO(BM_OrdenarPorContenedor)->UseManualTime();
#ifdef AVISO_BANCO_TRABAJO
POR_TAMANO(BM_Guardar);
POR_TAMANO(BM_AbrirSinTrazaPorCelda);
BENCHMARK(BM_Abrir)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(1);
#endif
BENCHMARK(BM_EscribirLog)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnexarDirecto)->Unit(benchmark::kMicrosecond);

// Collects the runs and prints one table at the end: for each command the
// least time over the repetitions (the machine is shared, so the least is the
// one least disturbed), wall clock and processor.
class Tabla : public benchmark::ConsoleReporter {
 public:
  struct Tiempo {
    double real = 0, cpu = 0;
  };
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Aggregate) continue;
      if (r.error_occurred) {
        errores_.push_back(r.benchmark_name() + ": " + r.error_message);
        continue;
      }
      const std::string nombre = r.run_name.function_name;
      const std::string arg = r.run_name.args;
      const double escala = 1e3 / benchmark::GetTimeUnitMultiplier(r.time_unit);
      const Tiempo t{r.GetAdjustedRealTime() * escala, r.GetAdjustedCPUTime() * escala};
      if (!nombres_.count(nombre)) orden_.push_back(nombre), nombres_[nombre] = 1;
      auto& lugar = tiempos_[nombre];
      auto it = lugar.find(arg);
      if (it == lugar.end()) {
        lugar[arg] = t;
      } else {
        it->second.real = std::min(it->second.real, t.real);
        it->second.cpu = std::min(it->second.cpu, t.cpu);
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf(
        "\n| comando | 5,000 líneas (ms) | 50,000 líneas (ms) | 50k / 5k | 50k / 5k (CPU) |\n"
        "|---|---:|---:|---:|---:|\n");
    for (const std::string& n : orden_) {
      const auto& t = tiempos_[n];
      if (t.count("")) {
        std::printf("| %s (una línea, µs) | %.1f | | | |\n", n.c_str() + 3, t.at("").real * 1e3);
        continue;
      }
      const Tiempo a = t.count("5000") ? t.at("5000") : Tiempo{}, b = t.count("50000") ? t.at("50000") : Tiempo{};
      std::printf("| %s | %.1f | %.1f | %.1f | %.1f |\n", n.c_str() + 3, a.real, b.real,
                  a.real > 0 ? b.real / a.real : 0.0, a.cpu > 0 ? b.cpu / a.cpu : 0.0);
    }
    const auto& log = tiempos_["BM_EscribirLog"];
    const auto& directo = tiempos_["BM_AnexarDirecto"];
    if (log.count("") && directo.count(""))
      std::printf("\nEscribirLog / abrir-anexar-cerrar directo: %.2f\n", log.at("").real / directo.at("").real);
    for (const std::string& e : errores_) std::printf("ERROR %s\n", e.c_str());
  }

 private:
  std::vector<std::string> orden_;
  std::map<std::string, int> nombres_;
  std::map<std::string, std::map<std::string, Tiempo>> tiempos_;
  std::vector<std::string> errores_;
};

}  // namespace

int main(int argc, char** argv) {
  // The documents paint text, which needs the GUI module; no display is used.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Tabla tabla;
  benchmark::RunSpecifiedBenchmarks(&tabla);
  benchmark::Shutdown();
  return 0;
}
