#pragma once
// Generated shipments for the benchmarks and the memory driver: 20 orders of
// one department, 200 stores, many SKUs, containers of 9 to 10 characters.
#include <QDate>
#include <QStringList>
#include <deque>
#include <functional>

#include "workspace/clock.h"
#include "workspace/prompter.h"

class Workspace;

namespace banco {

constexpr int kOrdenes = 20;
constexpr int kTiendas = 200;

// One order line as the order files hold it (15 fields, no container typed).
QStringList camposLinea(int i, int n);
QString numeroOrden(int o);
QString contenedor(int tienda, int caja);

// An INF order file: heading line, then n comma-separated lines.
QByteArray archivoInf(int n);
// A tab-delimited order file of n lines: heading line, then n - 1 order lines
// (the heading takes a row of the grid).
QByteArray archivoTab(int n);

// The entries of the consolidation dialog for the 20 orders.
QStringList entradasForm2();

// A prompter that answers every question with its default, every open or
// save dialog from its queues, the consolidation dialog by adding the
// entries given, then Aceptar, and the store of a new carton with the first
// store offered.
class PrompterBanco : public Prompter {
 public:
  std::deque<QString> abrir, guardar;
  QStringList elegir;
  QStringList mensajes;
  Respuesta mostrar(const Mensaje& m) override;
  QString abrirArchivo(const DialogoArchivo& d) override;
  QString guardarArchivo(const DialogoArchivo& d) override;
  void ejecutarDialogo(DialogoModelo& modelo) override;
};

// The bench's fixed clock: 07/12/2026 10:30.
QDateTime momento();

// Client data, the per-order table and n detail lines with quantities typed
// and containers given (one store per container), a delivery date and hour:
// a shipment that passes every check before the notice.
void ponerEnvio(Workspace& ws, int n);

}  // namespace banco
