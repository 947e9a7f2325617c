#pragma once
// Packing with a barcode reader. The clerk scans a carton's label, then each
// article as it goes in; every scan becomes the change a clerk would type:
//   - a container code (a known first letter and 9 characters at least, as
//     the notice requires) becomes the current container; a code the
//     shipment already uses continues that container;
//   - an article code (its UPC/EAN, compared as GTIN) adds pieces for the
//     current container's store: to the article's line already in that
//     container; else to a line of that article and store with no container
//     yet, which takes the container and the pieces scanned as its quantity;
//     else, while the order has pieces of it left to ship, to a copy of one
//     of its lines (as Duplicar renglón makes it) in that container; else the
//     scan is refused and nothing changes;
//   - "N*" before an article code adds N pieces at once; alone, it holds N
//     for the next article.
// Each scan is one command (one undo step, "escanear CODE"). The store of a
// new container comes from its first article when that article goes to one
// store only; otherwise the dialog TiendaEmpaque asks (aviso-lote answers it
// with a TIENDA line before the article).
//
// The lines are indexed once (the rows of each article, the containers) and
// the index follows the session's own changes; any other change of the detail
// grid (typing, undo, a command) makes it read the lines again at the next
// scan. What an order has packed of an article is counted, when a scan needs
// it, over that article's rows only: the lines of one order, store and SKU
// carry one UPC/EAN.
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "workspace/grid.h"
#include "workspace/prompter.h"

class Workspace;

// The store of a new container whose first article goes to several stores.
class TiendaEmpaqueModelo : public DialogoModelo {
 public:
  QString forma() const override { return QStringLiteral("TiendaEmpaque"); }
  QString contenedor, articulo;
  QStringList tiendas;  // those that still need the article
  QString elegida;      // empty: none was chosen
  void aceptar(const QString& tienda) {
    elegida = tienda;
    cerrado = true;
  }
  void cancelar() { cerrado = true; }
};

// What one scan did, as it is told at once.
struct Escaneo {
  enum class Que { Contenedor, Articulo, Multiplo, Tienda, Rechazado };
  Que que = Que::Rechazado;
  QString mensaje;
  // An article: the line that took it and what it holds now.
  int fila = 0;
  QString tienda, orden, sku;
  qint64 piezas = 0;    // on that line, in this container
  qint64 pedidas = -1;  // of its order, store and SKU; -1: no ordered quantity
  bool aceptado() const { return que != Que::Rechazado; }
};

class Empaque : private GridObserver {
 public:
  explicit Empaque(Workspace& ws);
  ~Empaque() override;
  Empaque(const Empaque&) = delete;
  Empaque& operator=(const Empaque&) = delete;

  // Reads the lines now (the mode turned on), so the first scan is as quick as the others.
  void preparar() { asegurarIndice(); }

  // One scan as the reader typed it (blanks around it do not count).
  Escaneo escanear(const QString& texto);
  // "TIENDA 0101": the store of the current container, before its first article.
  Escaneo fijarTienda(const QString& tienda);

  QString contenedor() const { return contenedor_; }
  QString tienda();         // of the current container; empty: not known yet
  qint64 piezas();          // on the current container's lines
  int multiplo() const { return multiplo_; }
  // The mode, the container, its store and pieces, for the status bar.
  QString estado();

  // Ends the current container: its lines (rows) and pieces.
  struct Cierre {
    QString contenedor, tienda;
    std::vector<int> filas;
    qint64 piezas = 0;
  };
  Cierre cerrarContenedor();

  // The lines never scanned: those with no container.
  std::vector<int> sinEscanear() const;
  // Removes them from the detail grid and the order line store (one command);
  // an order left without any line leaves the per-order header table too (a
  // notice carries no order without lines), named in `ordenesQuitadas`.
  // Returns how many lines went.
  int quitarSinEscanear(QStringList* ordenesQuitadas = nullptr);

 private:
  struct Grupo {
    qint64 pedida = -1;  // -1: no limit
    qint64 suma = 0;     // pieces on its lines that have a container
    bool cabe(qint64 mas) const { return pedida < 0 || suma + mas <= pedida; }
  };
  struct Contenido {
    QString tienda, depto;
    int lineas = 0;
    qint64 piezas = 0;
  };

  Escaneo articulo(const QString& codigo, qint64 n);
  Escaneo contenedorEscaneado(const QString& codigo);
  bool elegirTienda(const QString& codigo, const std::vector<int>& filas, qint64 n, QString& tienda, Escaneo& e);
  Escaneo anotado(int fila, const QString& codigo, qint64 n);
  void indexar();
  void asegurarIndice() {
    if (sucio_) indexar();
  }
  qint64 cantidad(int fila) const;
  qint64 pedida(int fila) const;
  // The order, store and SKU of line `fila`: what its lines with a container hold.
  Grupo grupo(int fila) const;
  void sumar(int fila, int signo);
  void cambiar(int fila, qint64 cantidad, const QString& contenedor);
  int copiar(int fila);

  // GridObserver: a change not made here makes the index stale.
  void cellsChanged(int, int, int, int) override { ajeno(); }
  void rowsInserted(int, int) override { ajeno(); }
  void rowsRemoved(int, int) override { ajeno(); }
  void gridReset() override { ajeno(); }
  void ajeno() {
    if (!propio_) sucio_ = true;
  }

  Workspace& ws_;
  QString contenedor_;
  QString tiendaElegida_;  // said for the current container before its first line
  int multiplo_ = 1;
  bool sucio_ = true, propio_ = false;
  QHash<QString, std::vector<int>> porArticulo_;  // GTIN -> rows, ascending
  QHash<QString, Contenido> contenedores_;
};
