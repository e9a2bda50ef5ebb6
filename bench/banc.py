#!/usr/bin/env python3
"""Times the whole program on the largest legal model (examples/grand.txt: 50 nodes, 49 elements,
20 supports, 20 loads) against an empty C++ program built the same way.

Both are built here with the same compiler and flags, then run alternately (one run of each per
round, so that any drift of the machine touches both alike), each from a fresh start with the name
typed on stdin and no viewer. Prints the median wall time of each and their ratio; the goal is a
ratio of at most 1.3.

    python3 bench/banc.py [rounds] [model]      (defaults 400 and examples/grand.txt; the model
                                                 bench/grand_etendu.txt adds 20 point loads and
                                                 20 trapezoidal loads to it)
"""

import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RACINE = pathlib.Path(__file__).resolve().parent.parent
# The flags of the project's release build (CMake's Release: -O3), for both programs.
OPTIONS = ["-std=c++17", "-O3", "-ffp-contract=off", "-static-libstdc++", "-static-libgcc"]


def construire(dossier):
    programme = dossier / "vortale"
    vide = dossier / "vide"
    (dossier / "vide.cpp").write_text("int main() { return 0; }\n")
    subprocess.run(["g++", *OPTIONS, *sorted(map(str, (RACINE / "src").glob("*.cpp"))),
                    "-o", str(programme)], check=True)
    subprocess.run(["g++", *OPTIONS, str(dossier / "vide.cpp"), "-o", str(vide)], check=True)
    return programme, vide


def duree(programme, saisie, dossier, environnement):
    """Wall time of one run, from the spawn to the reaping of the process, in seconds."""
    with open(saisie, "rb") as entree, open(os.devnull, "wb") as sortie:
        debut = time.perf_counter()
        pid = os.posix_spawn(str(programme), [str(programme)], environnement,
                             file_actions=[(os.POSIX_SPAWN_DUP2, entree.fileno(), 0),
                                           (os.POSIX_SPAWN_DUP2, sortie.fileno(), 1)])
        _, statut = os.waitpid(pid, 0)
        fin = time.perf_counter()
    if os.waitstatus_to_exitcode(statut) != 0:
        sys.exit(f"{programme.name} failed")
    return fin - debut


def main():
    tours = int(sys.argv[1]) if len(sys.argv) > 1 else 400
    modele = pathlib.Path(sys.argv[2]).resolve() if len(sys.argv) > 2 else RACINE / "examples" / "grand.txt"
    with tempfile.TemporaryDirectory() as dossier:
        dossier = pathlib.Path(dossier)
        programme, vide = construire(dossier)
        shutil.copy(modele, dossier / "grand.txt")
        saisie = dossier / "saisie"
        saisie.write_bytes(b"grand\n")
        environnement = dict(os.environ, VORTALE_VIEWER="")
        os.chdir(dossier)
        temps = {programme: [], vide: []}
        for _ in range(tours):
            for p in (programme, vide):
                temps[p].append(duree(p, saisie, dossier, environnement))
        if not (dossier / "grandr.txt").exists():
            sys.exit("no report written")
        m_programme = statistics.median(temps[programme])
        m_vide = statistics.median(temps[vide])
        print(f"vortale on {modele.name}: median {m_programme * 1e3:.3f} ms over {tours} runs")
        print(f"empty program:        median {m_vide * 1e3:.3f} ms over {tours} runs")
        print(f"ratio: {m_programme / m_vide:.2f} (goal: at most 1.30)")


if __name__ == "__main__":
    main()
