#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The control library as another program uses it. The build is installed into a staging folder
# (DESTDIR); the installed libraries, the CMake package and the pkg-config file are checked
# there; then the consumer project (tests/consumer), copied out of the source tree, is
# configured against the staged prefix alone, built and run headless, and a small project finds
# the package as a machine without Qt's Designer development files does; last, the installed
# Designer plugin is loaded the ways Designer and QUiLoader load it.
# Usage: tst_consumer.sh CMAKE BUILD_DIR SOURCE_DIR LIBDIR [FLAGS]
# FLAGS are the compiler and linker flags the libraries were built with (the sanitizers).
set -u
cmake=$1 build=$2 source=$3 libdir_name=$4 flags=${5:-}
prefix=/usr/local
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
. "$(dirname "$0")/../support/checks.sh"

DESTDIR="$root/dest" "$cmake" --install "$build" --prefix "$prefix" >"$root/install.log" 2>&1 \
  || { cat "$root/install.log"; echo "FAIL: cmake --install"; exit 1; }
top="$root/dest$prefix"
libdir="$top/$libdir_name"

# Each library: the file named by version, the SONAME link and the development link, read-only
# as Debian installs libraries, and its SONAME the one the links name.
for library in KavoControls KavoPickers KavoSound KavoForms; do
  real="$libdir/lib$library.so.1.0.0"
  [ -f "$real" ] && [ ! -L "$real" ] || { fail "no $real"; continue; }
  [ "$(readlink "$libdir/lib$library.so.1")" = "lib$library.so.1.0.0" ] || fail "lib$library.so.1 is not a link to the library"
  [ "$(readlink "$libdir/lib$library.so")" = "lib$library.so.1" ] || fail "lib$library.so is not a link to lib$library.so.1"
  [ "$(stat -c %a "$real")" = 644 ] || fail "lib$library.so.1.0.0 has mode $(stat -c %a "$real")"
  soname=$(readelf -d "$real" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
  [ "$soname" = "lib$library.so.1" ] || fail "lib$library has the SONAME [$soname]"
  exported=$(nm -D --defined-only -C "$real")
  # Nothing of the game, and nothing of what stays inside: the calculator's engine (its decimal
  # numbers are public, as the calculator's result), the dialogs' button row, the desktop's text
  # drawing.
  if found=$(grep -E 'TfNumbrax|TfSetup|TNumbraxGame|GameTexts|kvcalc::(Evaluate|FormatNumber|ErrorText)|OkCancelRow|toolkit::DrawText' <<<"$exported"); then
    fail "lib$library exports what it should keep to itself:"$'\n'"$found"
  fi
done

# The pkg-config file names the prefix it was installed under, and builds a program without CMake.
pc="$libdir/pkgconfig/kavocontrols.pc"
if [ ! -f "$pc" ]; then
  fail "no $pc"
else
  grep -qx "prefix=$prefix" "$pc" || fail "kavocontrols.pc does not name the prefix $prefix"
  cat >"$root/pc.cpp" <<'PROGRAM'
#include <KavoControls/KavoDrop.h>
#include <KavoControls/KavoSpin.h>
#include <QApplication>
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    TkavoSpinEdit spin;
    spin.setMaxValue(9);
    spin.setValue(12);
    TkavoCalcEdit calc;
    calc.setValue(2.5);
    return spin.Value() == 9 && calc.Value() == 2.5 ? 0 : 1;
}
PROGRAM
  # Moved with the staged tree (--define-variable would move Qt's prefix as well).
  mkdir "$root/pkgconfig"
  sed "s|^prefix=.*|prefix=$top|" "$pc" >"$root/pkgconfig/kavocontrols.pc"
  if pc_flags=$(PKG_CONFIG_PATH="$root/pkgconfig" pkg-config --cflags --libs kavocontrols); then
    # shellcheck disable=SC2086
    if g++ -std=c++20 $flags -o "$root/pc" "$root/pc.cpp" $pc_flags -Wl,-rpath,"$libdir" >"$root/pc.log" 2>&1; then
      QT_QPA_PLATFORM=offscreen "$root/pc" || fail "the program built through pkg-config got the wrong values"
    else
      cat "$root/pc.log"
      fail "a program does not build with pkg-config --cflags --libs kavocontrols"
    fi
  else
    fail "pkg-config does not read kavocontrols.pc"
  fi
fi

# No installed text file names a folder of the source or build tree: the package must work on a
# machine that has neither.
if found=$(grep -rIl -e "$source" -e "$(cd "$build" && pwd)" "$top"); then
  fail "installed files name the source or build tree:"$'\n'"$found"
fi

# The consumer, from a copy: find_package(KavoControls) with the staged prefix as the only way in.
cp -r "$source/tests/consumer" "$root/consumer"
launcher=()
if command -v ccache >/dev/null; then
  # Paths under the temporary folder count as relative, so that a second run hits the cache.
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$root"
fi
if ! "$cmake" -S "$root/consumer" -B "$root/consumer-build" "${launcher[@]}" \
    -DCMAKE_PREFIX_PATH="$top" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >"$root/configure.log" 2>&1; then
  cat "$root/configure.log"
  fail "the consumer does not configure"
elif ! "$cmake" --build "$root/consumer-build" -j 2 >"$root/build.log" 2>&1; then
  cat "$root/build.log"
  fail "the consumer does not build"
else
  found_at=$(sed -n 's/^KavoControls_DIR:PATH=//p' "$root/consumer-build/CMakeCache.txt")
  [ "$found_at" = "$libdir/cmake/KavoControls" ] || fail "the package was found at [$found_at]"
  if found=$(grep -rIl "$source" "$root/consumer-build"); then
    fail "the consumer's build names the source tree:"$'\n'"$found"
  fi
  form="$root/consumer-build/kavo-consumer" sound="$root/consumer-build/kavo-sound-consumer"
  saved="$root/consumer-build/kavo-forms-consumer"
  loaded=$(ldd "$form")
  grep -q "libKavoControls.so.1 => $libdir/" <<<"$loaded" || fail "the consumer does not load the staged libKavoControls"$'\n'"$loaded"
  grep -q 'libQt6Multimedia' <<<"$loaded" && fail "a program without the sound library loads Qt Multimedia"
  grep -qE 'libQt6Designer|libKavoForms' <<<"$loaded" && fail "a program without the form writer loads it or Qt Designer's library"
  grep -q 'libQt6Multimedia' <<<"$(ldd "$sound")" || fail "the sound library does not load Qt Multimedia"
  grep -q "libKavoForms.so.1 => $libdir/" <<<"$(ldd "$saved")" || fail "the form writer's consumer does not load the staged libKavoForms"
  QT_QPA_PLATFORM=offscreen "$form" || fail "the form's checks"
  QT_QPA_PLATFORM=offscreen "$sound" || fail "the sound's checks"
  QT_QPA_PLATFORM=offscreen "$saved" || fail "the saved form's checks"
fi

# Without Qt's Designer development files (hidden from find_package here), the package still
# gives the controls, and Forms asked for as optional is simply not found; with them, it is.
mkdir "$root/probe"
cat >"$root/probe/CMakeLists.txt" <<'PROBE'
cmake_minimum_required(VERSION 3.16)
project(KavoProbe LANGUAGES CXX)
find_package(KavoControls 1.0 REQUIRED)
find_package(KavoControls 1.0 REQUIRED OPTIONAL_COMPONENTS Forms)
file(WRITE ${CMAKE_BINARY_DIR}/probe.cpp "int main() { return 0; }\n")
add_executable(probe ${CMAKE_BINARY_DIR}/probe.cpp)
target_link_libraries(probe PRIVATE Kavo::Controls Kavo::Pickers Kavo::Sound)
if(TARGET Kavo::Forms)
  set(forms_target " with Kavo::Forms")
endif()
message(STATUS "Forms found: [${KavoControls_Forms_FOUND}${forms_target}]")
PROBE
probe() { # NAME EXPECTED_FOUND [CMAKE_ARGUMENTS...]
  local name=$1 expected=$2 found
  shift 2
  if ! "$cmake" -S "$root/probe" -B "$root/$name" -DCMAKE_PREFIX_PATH="$top" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" "$@" >"$root/$name.log" 2>&1 \
      || ! "$cmake" --build "$root/$name" >>"$root/$name.log" 2>&1; then
    cat "$root/$name.log"
    fail "find_package(KavoControls) $name"
    return
  fi
  found=$(sed -n 's/^-- Forms found: \[\(.*\)\]$/\1/p' "$root/$name.log")
  [ "$found" = "$expected" ] || fail "find_package(KavoControls) $name: Forms found [$found], not [$expected]"
}
probe without-designer "" -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Designer=ON
probe with-designer "TRUE with Kavo::Forms"

# The Designer plugin as installed, loaded by Designer's own means (QPluginLoader, QUiLoader) in
# programs that link none of the controls, with only the staged libraries on the library path.
plugins="$libdir/qt6/plugins/designer"
if [ ! -f "$plugins/libkavocontrolswidgets.so" ]; then
  fail "no Designer plugin in $plugins"
else
  grep -q 'libQt6Designer' <<<"$(LD_LIBRARY_PATH="$libdir" ldd "$plugins/libkavocontrolswidgets.so")" \
    && fail "the Designer plugin links the Designer libraries, which QUiLoader's programs lack"
  for test in tst_KavoDesignerPlugin tst_KavoUiLoader; do
    LD_LIBRARY_PATH="$libdir" KAVO_DESIGNER_PLUGIN_DIR="$plugins" QT_QPA_PLATFORM=offscreen \
      "$build/bin/$test" >"$root/$test.log" 2>&1 || { cat "$root/$test.log"; fail "$test with the installed plugin"; }
  done
fi

[ "$failures" -eq 0 ] && echo "consumer: all checks passed"
exit "$failures"
