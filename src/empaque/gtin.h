#pragma once
// Article codes as a barcode reader types them (UPC-A, EAN-8, EAN-13,
// GTIN-14): digits only, compared with leading zeros left out, so a UPC-A
// read as an EAN-13 with a leading zero is the same article.
#include <QString>
#include <QStringView>

// The code as compared: its digits without leading zeros. Null when the text
// is not 8 to 14 digits (blanks around it do not count).
QString claveGtin(QStringView codigo);

// The same for the UPC/EAN cell of a line: any number of digits up to 14.
// Null when the cell holds anything else.
QString claveUpc(QStringView celda);

// True when the last digit is the check digit of the others (modulo 10,
// weights 3 and 1 from the right). A wrong one means the code was misread.
bool digitoVerificadorBueno(QStringView digitos);
