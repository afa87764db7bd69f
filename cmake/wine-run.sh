#!/bin/sh
# Runs a Windows test program under Wine with the Chinese ANSI code page (936).
# The caller may set WINEPREFIX; DISPLAY is needed only by tests that make windows.
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all
exec wine "$@"
