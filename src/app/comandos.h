#pragma once
// The commands of the main window that belong to no other subsystem: the
// About box and leaving the program.
#include <QString>
#include <functional>

#include "workspace/resultado.h"

class Workspace;

// Maker's notice and web address shown in the About box.
extern const QString kAvisoFabricante;
extern const QString kSitioWeb;

// "&?" > "&Acerca de ...": the About box, with two blanks before the window
// title as its application text, then the maker's notice and web address.
Resultado acerca_Click(Workspace& ws);

// Archivo > "&Salir": logs its entry line; the window then ends at once,
// without a question and without saving.
Resultado saliraplic_Click(Workspace& ws);

// The button `salir`. With an empty detail grid: done, `terminar` set (end
// the program). Otherwise asks "¿Desea guardar los cambios?" (Yes / No /
// Cancel, "DUDIZOD"):
//   Yes    runs `guardar`, the save command of the button `guardar`, and
//          answers its outcome; the program stays open, saved or not;
//   No     done, `terminar` set (ends without saving);
//   Cancel logs the entry line once more; cancelled.
Resultado salir_Click(Workspace& ws, const std::function<Resultado()>& guardar, bool& terminar);
