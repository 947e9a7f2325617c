#pragma once
// The window's commands in one table: the menus and their items, the tool
// bar's images, the buttons and the keys of the window, each with its name
// (the objectName), caption with its access key, shortcuts, image, tool tip,
// what Deshacer calls it, its handler and whether it replaces the work. The
// window builds its menus, tool bar, buttons and shortcuts from it, enables
// them by it, and the user guide's list of keys is written from it: a new
// command is a new row.
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

#include "workspace/resultado.h"

class MainWindow;
class Workspace;

struct FilaComando {
  enum class Lugar {
    Menu,       // a menu (of the bar, or a submenu of `padre`)
    Item,       // an item of menu `padre`
    Separador,  // a line in menu `padre`, or a gap in the tool bar
    Recientes,  // where the last work files go in menu `padre`
    Imagen,     // an image of the tool bar
    Boton,      // a button: of the row under the header fields (`padre` "filaBotones"), or beside them ("campos")
    Tecla,      // a key of the window that no menu shows
    Guia,       // a key of a control, only listed in the guide
  };
  // How the window runs the handler.
  enum class Modo {
    Comando,  // inside a command: one undo step, refused while another runs
    Vista,    // moves in the window only, outside a command (never while one runs)
    Cierre,   // ends the program at once: outside a command, and nothing is left to show
  };

  Lugar lugar = Lugar::Item;
  QString padre;
  QString nombre;
  QString texto;  // caption, with "&" before its access key
  QList<QKeySequence> atajos;
  QString imagen;  // the picture of a tool-bar image (":/iconos/NAME.png"); empty: drawn
  QString tip;
  QString que;     // the undo step's name ("duplicar renglón")
  std::function<Resultado(Workspace&)> manejador;  // a core procedure
  std::function<Resultado(MainWindow&)> enVentana;  // or the window's own
  Modo modo = Modo::Comando;
  bool reemplaza = false;       // replaces the work: what no save holds goes aside first
  bool siempreConTecla = false; // its key works while its menu is closed to the user
  bool soloEnFoco = false;      // its key is left to the control that has the focus
  QString abiertoCon;           // open only while this control is too ("archivo": the buttons)
  // The user guide's list of keys: its place (0: not listed), the keys as
  // the guide writes them (empty: from `atajos`), and what it says.
  int enGuia = 0;
  QString teclasGuia;
  QString guia;
};

// Every row, in the order the window shows them.
const std::vector<FilaComando>& tablaComandos();
// The row named `nombre`, or null.
const FilaComando* filaComando(const QString& nombre);
// The guide's list of keys: a Markdown table, one row per key.
QString teclasDeLaGuia();
// The guide with its list of keys written from the table (the text under
// "### Teclas" replaced).
QString guiaConTeclas(const QString& guia);
// A key as the guide writes it ("Ctrl+Mayús+Z").
QString teclaEnGuia(const QKeySequence& k);
