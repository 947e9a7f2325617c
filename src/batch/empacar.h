#pragma once
// aviso-lote empacar: a file of scans, as a barcode reader would have typed
// them in the window's packing mode, applied to an open workspace.
//   one code a line: a container code starts (or continues) a container, an
//   article code adds a piece, "N*CODE" adds N pieces; "TIENDA NNNN" says the
//   store of the current container; empty lines and lines that begin with
//   "#" do not count.
#include <QString>

class PrompterLote;
class Workspace;

namespace lote {

// Reads the scans file and applies every scan in order. The first refused
// scan is told as "empacar: ARCHIVO, renglón N: MENSAJE" and ends the run
// (kRehusado); a file that cannot be read ends it with kError. Then the lines
// never scanned (those with no container) are listed, one message each, and
// removed unless `conservar`. kHecho when every scan was taken.
int empacarEscaneos(Workspace& ws, PrompterLote& avisos, const QString& archivo, bool conservar);

}  // namespace lote
