#pragma once
// The named columns of the workspace's tables (and the named rows of the
// settings tables), counted from 1 as the grids count them. Code says
// `g.text(colDetalle::Cantidad, r)`, never `g.text(11, r)`.

// The detail grid vaspread1 and the order line store vaSpread6: one order
// line a row, in the order file's field order. The store ends at Contenedor;
// the detail grid also keeps the ordered quantity an INF import brings.
namespace colDetalle {
enum : int {
  Orden = 1,
  Depto,
  FechaEmbarque,     // "FECHA DE VORARIDO (DD/MM/YY)"
  FechaCancelacion,  // "FECHA DE CANCELACION (DD/MM/YY)"
  Tienda,            // "LUGAR-TIENDA"
  Sku,
  Modelo,
  Upc,
  Color,
  Talla,
  Cantidad,
  Costo,
  Precio,            // "PRECIO DE VENTA"
  TipoEntrega,       // the container kind's description
  Contenedor,
  Pedida,            // the ordered quantity (the limit of Cantidad)
  Almacen = Contenedor,  // last column of the order line store
};
}  // namespace colDetalle

// The per-order header table vaSpread9: one order of the shipment a row.
namespace colPedidos {
enum : int {
  Orden = 1,         // "O.C."
  TipoMovimiento,    // "TIPO MOV"
  NumVorarido,
  Factura,           // "FACTURA/REMISION"
  Importe,           // "IMPORTE TOTAL"
  Depto,
  FechaVorarido,     // the day the row was made
  FechaCancelacion,
  Ultima = FechaCancelacion,
};
}  // namespace colPedidos

// The summary strip vaSpread5 (row 1): the first detail line's department and dates.
namespace colResumen {
enum : int { Depto = 1, FechaEmbarque, FechaCancelacion };
}  // namespace colResumen

// The settings tables: vaSpread2 (info.cfg, the client's settings) and
// vaSpread4 (dudizod.ini, the application's), one setting a row.
namespace colAjustes {
enum : int { Clave = 1, Valor, Descripcion };
}  // namespace colAjustes

// Rows of vaSpread2 (info.cfg).
namespace filaCliente {
enum : int {
  Aplicacion = 1, Cliente = 2, Usuario = 3, Clave = 4, Recordar = 5, UsarFirewall = 6, TipoFirewall = 7,
  HostFirewall = 8, PuertoFirewall = 9, UsuarioFirewall = 10, ClaveFirewall = 11, FtpHost = 13, Proveedor = 14,
  Forma = 15, Rfc = 16, Timeout = 20, Protocolo = 21, Puerto = 22, CarpetaRemota = 23, NombreRemoto = 24
};
}  // namespace filaCliente

// Rows of vaSpread4 (dudizod.ini).
namespace filaAplicacion {
enum : int { Aplicacion = 1, FtpHost, Forma };
}  // namespace filaAplicacion

// The work file's image in vaSpread3: a control header of five lines (the
// signature, then label and values), an empty line, the detail lines from
// line 8 in the detail grid's columns, and a closing signature line.
namespace filaImagen {
enum : int { Firma = 1, Cliente, Forma, Aplicacion, Correo, PrimeraLinea = 8 };
}  // namespace filaImagen
namespace colImagen {
enum : int { Etiqueta = 1, Valor, Descripcion };
}  // namespace colImagen
