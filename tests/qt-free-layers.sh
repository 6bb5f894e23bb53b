#!/bin/sh
# The Qt-free layers include no Qt, name no type of the interface and link no Qt: the
# engine, the command-line checker and their tests build on a machine without Qt.
# Usage: qt-free-layers.sh SOURCE_DIR
cd "$1" || exit 2
layers="dictionary platform/core spell/core"
status=0
if grep -rnE '#include *[<"](Q|qt)|#include *"(platform/gui|spell/[A-Z]|dialogs|widgets|app)/|\b(TCustomEdit|TMemo|TRichEdit|TEdit|QWidget|QString)\b' \
    $(for d in $layers; do find "$d" -name '*.h' -o -name '*.cpp'; done); then
  echo "qt-free-layers: the lines above reach outside the Qt-free layers" >&2
  status=1
fi
if grep -nE 'Qt6|scrivlo_(platform_gui|spell|dialogs|widgets|app)\b' \
    $(for d in $layers; do find "$d" -name CMakeLists.txt; done); then
  echo "qt-free-layers: a Qt-free library links Qt or a library that does" >&2
  status=1
fi
exit $status
