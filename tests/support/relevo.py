#!/usr/bin/env python3
# Relay on 127.0.0.1 in front of a server: the first connection is cut after
# CORTE bytes sent by the client; the later ones pass whole. Prints its port.
import socket
import sys
import threading

destino, corte = int(sys.argv[1]), int(sys.argv[2])
escucha = socket.socket()
escucha.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
escucha.bind(("127.0.0.1", int(sys.argv[3]) if len(sys.argv) > 3 else 0))
escucha.listen(16)
print(escucha.getsockname()[1], flush=True)


def cerrar(*conexiones):
    for c in conexiones:
        try:
            c.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        c.close()


def pasar(origen, destino_, limite, ambas):
    n = 0
    try:
        while True:
            datos = origen.recv(65536)
            if not datos:
                break
            if limite is not None and n + len(datos) >= limite:
                destino_.sendall(datos[: limite - n])
                break
            destino_.sendall(datos)
            n += len(datos)
    except OSError:
        pass
    cerrar(*ambas)


primera = True
while True:
    cliente, _ = escucha.accept()
    servidor = socket.create_connection(("127.0.0.1", destino))
    limite = corte if primera else None
    primera = False
    threading.Thread(target=pasar, args=(cliente, servidor, limite, (cliente, servidor)), daemon=True).start()
    threading.Thread(target=pasar, args=(servidor, cliente, None, (cliente, servidor)), daemon=True).start()
