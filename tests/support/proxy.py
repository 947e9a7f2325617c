#!/usr/bin/env python3
# A firewall proxy on 127.0.0.1 for the upload tests: "socks5" (user and
# password) or "http" (CONNECT with Basic), user "fw", password "fw-clave".
# Prints its port, then "HOST:PORT" for each tunnel it opens.
import base64
import socket
import struct
import sys
import threading

modo = sys.argv[1]
USUARIO, CLAVE = b"fw", b"fw-clave"


def exacto(c, n):
    datos = b""
    while len(datos) < n:
        parte = c.recv(n - len(datos))
        if not parte:
            raise OSError("cerrada")
        datos += parte
    return datos


def pasar(origen, destino):
    try:
        while True:
            datos = origen.recv(65536)
            if not datos:
                break
            destino.sendall(datos)
    except OSError:
        pass
    for s in (origen, destino):
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def socks(c):
    _, n = exacto(c, 2)
    if 2 not in exacto(c, n):
        c.sendall(b"\x05\xff")
        return None
    c.sendall(b"\x05\x02")
    exacto(c, 1)
    usuario = exacto(c, exacto(c, 1)[0])
    clave = exacto(c, exacto(c, 1)[0])
    if (usuario, clave) != (USUARIO, CLAVE):
        c.sendall(b"\x01\x01")
        return None
    c.sendall(b"\x01\x00")
    _, _, _, tipo = exacto(c, 4)
    host = socket.inet_ntoa(exacto(c, 4)) if tipo == 1 else exacto(c, exacto(c, 1)[0]).decode()
    puerto = struct.unpack(">H", exacto(c, 2))[0]
    s = socket.create_connection((host, puerto))
    c.sendall(b"\x05\x00\x00\x01" + socket.inet_aton("127.0.0.1") + struct.pack(">H", 0))
    return s, f"{host}:{puerto}"


def http(c):
    pedido = b""
    while b"\r\n\r\n" not in pedido:
        pedido += exacto(c, 1)
    lineas = pedido.decode().split("\r\n")
    destino = lineas[0].split()[1]
    esperada = "Basic " + base64.b64encode(USUARIO + b":" + CLAVE).decode()
    if not any(l.lower().startswith("proxy-authorization:") and l.split(":", 1)[1].strip() == esperada for l in lineas):
        c.sendall(b"HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic\r\nContent-Length: 0\r\n\r\n")
        return None
    host, puerto = destino.rsplit(":", 1)
    s = socket.create_connection((host, int(puerto)))
    c.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
    return s, destino


def atender(c):
    try:
        abierto = socks(c) if modo == "socks5" else http(c)
    except OSError:
        abierto = None
    if not abierto:
        c.close()
        return
    s, destino = abierto
    print(destino, flush=True)
    threading.Thread(target=pasar, args=(s, c), daemon=True).start()
    pasar(c, s)


escucha = socket.socket()
escucha.bind(("127.0.0.1", 0))
escucha.listen(16)
print(escucha.getsockname()[1], flush=True)
while True:
    conexion, _ = escucha.accept()
    threading.Thread(target=atender, args=(conexion,), daemon=True).start()
