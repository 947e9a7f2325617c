#pragma once
// The frame of one command. A command opens one on entry and ends it with its
// outcome; the frame is the one place where a command begins and ends:
//  - it writes the command's entry line, and its exit line on the outcomes
//    where the procedure has one (a procedure that fails or is refused often
//    ends without it);
//  - it holds the busy pointer and the grids' view notifications for the
//    procedure and gives them back on every path, exceptions included;
//  - the outermost one is the command: it is one undo step, the progress
//    count starts and ends at rest, and whoever watches the workspace hears
//    when it begins and ends (Workspace::alComando).
// Frames nest (a command that runs another); the workspace knows the
// outermost one open, which is what a whole command's state (an undo step,
// say) would hang on.
#include <QString>
#include <vector>

#include "workspace/resultado.h"

class Grid;
class Workspace;

class Comando {
 public:
  // On which outcomes the exit line is written.
  enum class Salida {
    Siempre,       // whatever the outcome
    AlHacerse,     // only when done
    AlTerminar,    // done or failed: the work ran to its end
  };

  // `entrada` empty: no entry line (the caller wrote it, or there is none).
  Comando(Workspace& ws, const QString& entrada, QString salida = QString(), Salida cuando = Salida::Siempre);
  ~Comando();
  Comando(const Comando&) = delete;
  Comando& operator=(const Comando&) = delete;

  // Ends the command with `r`: the exit line when the rule says so. Returns r.
  Resultado fin(Resultado r);
  // Ends the command with `r` and without the exit line, whatever the rule
  // (a refusal before the work began, where the procedure writes none).
  Resultado finSinSalida(Resultado r);
  // The busy pointer, until told otherwise or the frame ends.
  void ocupado(bool si);
  // The views of `g` wait until the frame ends, then follow with one reset.
  void enBloque(Grid& g);
  // The frame that contains this one (none: this is the command itself).
  Comando* padre() const { return padre_; }
  bool terminado() const { return terminado_; }
  Resultado resultado() const { return resultado_; }

 private:
  Workspace& ws_;
  Comando* padre_;
  QString salida_;
  Salida cuando_;
  bool ocupadoAntes_;
  bool terminado_ = false;
  Resultado resultado_ = Resultado::Fallido;
  std::vector<Grid*> enBloque_;
};
