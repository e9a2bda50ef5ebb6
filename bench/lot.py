#!/usr/bin/env python3
"""Times the command-line mode on a batch: one call on N copies of the largest legal model
(examples/grand.txt) against N separate interactive processes, each typed its name, on the same
machine in one run. Prints the time per beam of each and their ratio; the goal is a batch at most
one third of the per-process time per beam. Also times --svg (the drawing beside each report),
in the batch and in one command-line process per beam; the goal is a run at most 25 % longer.
Also times --json (one JSON object per beam on the standard output) in the batch; the goal is a
batch at most 25 % longer per beam than without it.

    python3 bench/lot.py [N] [rounds]      (defaults 1000 and 5; the median round is kept)
"""

import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from banc import RACINE, construire, duree


def lot(programme, noms, options, environnement):
    """Wall time of one command-line call on all the names."""
    debut = time.perf_counter()
    subprocess.run([str(programme), *options, *noms], env=environnement, check=True,
                   stdout=subprocess.DEVNULL)
    return time.perf_counter() - debut


def commande(programme, nom, options, environnement):
    """Wall time of one command-line process on one name, from its spawn to its reaping."""
    debut = time.perf_counter()
    pid = os.posix_spawn(str(programme), [str(programme), *options, nom], environnement,
                         file_actions=[(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    _, statut = os.waitpid(pid, 0)
    if os.waitstatus_to_exitcode(statut) != 0:
        sys.exit(f"vortale {' '.join(options)} {nom} failed")
    return time.perf_counter() - debut


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    tours = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with tempfile.TemporaryDirectory() as dossier:
        dossier = pathlib.Path(dossier)
        programme, _ = construire(dossier)
        noms = [f"g{i:04d}" for i in range(n)]
        for nom in noms:
            shutil.copy(RACINE / "examples" / "grand.txt", dossier / f"{nom}.txt")
            (dossier / f"{nom}.saisie").write_bytes(nom.encode() + b"\n")
        environnement = dict(os.environ, VORTALE_VIEWER="")
        os.chdir(dossier)
        processus, simple, dessin, objets, seul, seulDessin = [], [], [], [], [], []
        for _ in range(tours):
            processus.append(sum(duree(programme, dossier / f"{nom}.saisie", dossier, environnement)
                                 for nom in noms) / n)
            simple.append(lot(programme, noms, [], environnement) / n)
            dessin.append(lot(programme, noms, ["--svg"], environnement) / n)
            objets.append(lot(programme, noms, ["--json"], environnement) / n)
            seul.append(sum(commande(programme, nom, [], environnement) for nom in noms) / n)
            seulDessin.append(sum(commande(programme, nom, ["--svg"], environnement)
                                  for nom in noms) / n)
        p, b, d, j, c, cd = (statistics.median(t) * 1e3
                             for t in (processus, simple, dessin, objets, seul, seulDessin))
        print(f"{n} separate interactive processes: {p:.3f} ms per beam")
        print(f"one command-line call on {n} beams:  {b:.3f} ms per beam")
        print(f"ratio batch / processes: {b / p:.2f} (goal: at most 0.33)")
        print(f"one call with --svg:                {d:.3f} ms per beam, "
              f"{(d / b - 1) * 100:+.0f} %")
        print(f"one call with --json:               {j:.3f} ms per beam, "
              f"{(j / b - 1) * 100:+.0f} % (goal: at most +25 %)")
        print(f"one process per beam: {c:.3f} ms, with --svg {cd:.3f} ms, "
              f"{(cd / c - 1) * 100:+.0f} % (goal: at most +25 %)")


if __name__ == "__main__":
    main()
