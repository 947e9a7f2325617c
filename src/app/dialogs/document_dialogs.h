#pragma once
// The forms of the container labels and the packing list: the choice of the
// labels' format and Qt's print preview, from which the clerk prints or
// saves a PDF.
class QtPrompter;

// Registers "FormatoEtiquetas" and "VistaPrevia" with the window's prompter.
void registrarFormasDocumentos(QtPrompter& p);
