#!/usr/bin/env python3
"""Two classes of the same name in the same namespace, outside anonymous
namespaces, break the program without a word: the linker keeps one copy of
each inline member and template instance (a QVector of one copies the other's
fields) and the data come out scrambled. Lists every such name; exit 1 if any.

Usage: tipi_doppi.py SRC_DIR
"""
import pathlib
import re
import sys

TIPO = re.compile(r"^(?:struct|class) +(\w+)(?: +final)? *(?::(?!:)[^;]*)?\{")
APERTA = re.compile(r"^namespace(?: +([\w:]+))? *\{")
CHIUSA = re.compile(r"^\} *// *namespace")


def definizioni(file):
    pila = []
    for numero, riga in enumerate(file.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        if m := APERTA.match(riga):
            pila.append(m.group(1))
        elif CHIUSA.match(riga) and pila:
            pila.pop()
        elif (m := TIPO.match(riga)) and None not in pila:
            yield "::".join(pila + [m.group(1)]), f"{file}:{numero}"


def main():
    visti = {}
    for file in sorted(pathlib.Path(sys.argv[1]).rglob("*")):
        if file.suffix in (".h", ".cpp"):
            for nome, dove in definizioni(file):
                visti.setdefault(nome, []).append(dove)
    doppi = {nome: dove for nome, dove in visti.items() if len(dove) > 1}
    for nome, dove in sorted(doppi.items()):
        print(f"{nome} definito più volte: {', '.join(dove)}")
    return 1 if doppi else 0


if __name__ == "__main__":
    sys.exit(main())
