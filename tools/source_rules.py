"""The walk both source checks share: every .cpp and .h under src/ that a
rule looks at, its faults gathered and printed under one heading."""
import pathlib


def run(source_dir, looked_at, faults_in, heading):
    """looked_at(relative path) -> bool; faults_in(path, relative text) -> list
    of fault lines. Returns the exit status: 1 when a fault was found."""
    source = pathlib.Path(source_dir).resolve() / "src"
    faults = []
    for path in sorted(source.rglob("*")):
        if path.suffix not in {".cpp", ".h"} or not path.is_file():
            continue
        relative = path.relative_to(source)
        if looked_at(relative):
            faults += faults_in(path, relative.as_posix())
    if faults:
        print(heading)
        print("\n".join("  " + fault for fault in faults))
        return 1
    return 0
