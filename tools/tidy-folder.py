#!/usr/bin/env python3
"""Runs clang-tidy over the sources of one folder of src/ or of its gui/
subfolder (tests and benchmarks excluded) as one translation unit: every source of the folder is included by
one generated file, so the Qt headers are parsed and matched once per folder
instead of once per source (a tenth of the time). The flags are those of the
folder's sources in the build's compile_commands.json. Findings count only in
the folder's own files; every warning is an error.

    tidy-folder.py <build dir> <source dir> <folder> [clang-tidy]
"""
import json
import os
import re
import shlex
import subprocess
import sys


def folder_entries(build, source, folder):
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = json.load(file)
    prefix = os.path.join(source, "src", folder) + os.sep
    return [entry for entry in entries
            if os.path.dirname(entry["file"]) + os.sep == prefix]


def arguments_of(entry):
    return entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])


def merged_arguments(entries):
    """The first source's command without its input and output, plus every
    include folder and definition the other sources add (core and GUI
    libraries of a folder differ in them)."""
    base = arguments_of(entries[0])
    merged, skip = [], False
    for argument in base:
        if skip:
            skip = False
        elif argument in ("-o", "-c", "-MF", "-MT"):
            skip = argument != "-c"
        elif argument != entries[0]["file"] and not argument.endswith(".cpp"):
            merged.append(argument)
    for entry in entries[1:]:
        arguments = arguments_of(entry)
        for index, argument in enumerate(arguments):
            if argument.startswith(("-I", "-D")) and argument not in merged:
                merged.append(argument)
            elif argument == "-isystem" and arguments[index + 1] not in merged:
                merged += [argument, arguments[index + 1]]
    return merged


def tidy(clang_tidy, work, name, sources, command, options):
    """One run over sources as one translation unit: (status, output)."""
    unity = os.path.join(work, name + ".cpp")
    with open(unity, "w", encoding="utf-8") as file:
        file.writelines(f'#include "{source}" // NOLINT(bugprone-suspicious-include)\n'
                        for source in sources)
    folder = os.path.join(work, name)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "compile_commands.json"), "w", encoding="utf-8") as file:
        json.dump([{"directory": command[0], "file": unity,
                    "arguments": command[1] + ["-c", unity]}], file)
    run = subprocess.run([clang_tidy, "-p", folder] + options + [unity], text=True,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, check=False)
    return run.returncode, run.stdout


REDEFINED = re.compile(r"^(/\S+\.cpp):\d+:\d+: error: redefinition of ", re.MULTILINE)


def main():
    build, source, folder = (os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]),
                             sys.argv[3])
    clang_tidy = sys.argv[4] if len(sys.argv) > 4 else "clang-tidy"
    entries = sorted(folder_entries(build, source, folder), key=lambda entry: entry["file"])
    if not entries:
        sys.exit(f"tidy-folder: no source of src/{folder} in {build}/compile_commands.json "
                 "(configure with -DCMAKE_EXPORT_COMPILE_COMMANDS=ON)")
    work = os.path.join(build, "tidy", folder)
    os.makedirs(work, exist_ok=True)
    command = (entries[0]["directory"], merged_arguments(entries))
    options = ["--quiet", "--warnings-as-errors=*",
               "--header-filter=^" + os.path.join(source, "src", folder) + r"/[^/]+\.(h|cpp)$"]
    own_config = os.path.join(source, "src", folder, ".clang-tidy")
    if os.path.exists(own_config):
        options.append("--config-file=" + own_config)
    print(f"clang-tidy over {len(entries)} sources of src/{folder}", flush=True)
    # Sources whose file-local names clash (two helpers of one name in
    # unnamed namespaces) go into a translation unit of their own.
    pending, status, count = [[entry["file"] for entry in entries]], 0, 0
    while pending:
        sources = pending.pop(0)
        count += 1
        code, output = tidy(clang_tidy, work, f"{folder.replace(os.sep, '_')}_{count}", sources,
                            command, options)
        clashing = sorted(set(REDEFINED.findall(output)) & set(sources[1:]))
        if clashing:
            pending += [[s for s in sources if s not in clashing], clashing]
            continue
        print(output, end="", flush=True)
        status = status or code
    sys.exit(status)


if __name__ == "__main__":
    main()
