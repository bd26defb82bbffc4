#!/usr/bin/env bash
# Exit 0 when this machine can run 32-bit Linux programs, and so 32-bit Wine.
# Some virtual machines run a kernel without 32-bit program support.
/usr/lib/wine/wine --version >/dev/null 2>&1
