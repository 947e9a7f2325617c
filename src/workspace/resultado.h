#pragma once
// How a command ended. Every command returns one; the window may ignore it,
// aviso-lote turns it into its exit status. Nobody guesses it from the
// messages that were shown.
enum class Resultado {
  Hecho,      // the command did its work (also when a question's answer makes it do so)
  Rechazado,  // a check refused it; the user was told (or there was nothing to work on)
  Cancelado,  // the user cancelled: a file dialog closed, a question answered so nothing happens
  Fallido,    // an unexpected error; a file that could not be read or written, or is no
              // file of the kind asked for (no text, empty, cut short)
};
