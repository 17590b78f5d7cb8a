#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the API reference (the target fails on any Doxygen warning and on a public class
# without its overview) and checks it as its readers meet it: the class pages name the headers
# as a program includes them, Qt Assistant registers the Qt Help file, Qt Creator's context help
# finds classes and members by name, `cmake --install` puts it under share/doc/, and its Debian
# package passes lintian without an error or a warning.
# Usage: tst_docs.sh CMAKE BUILD_DIR HTML_DIR QCH_FILE QHELPGENERATOR [ASSISTANT]
set -u
cmake=$1 build=$2 html=$3 qch=$4 qhelpgenerator=$5 assistant=${6:-}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
. "$(dirname "$0")/../support/checks.sh"

"$cmake" --build "$build" --target docs >"$root/docs.log" 2>&1 \
  || { cat "$root/docs.log"; echo "FAIL: the API reference does not build cleanly"; exit 1; }

grep -q '#include &lt;KavoControls/KavoSpin.h&gt;' "$html/classTkavoSpinEdit.html" \
  || fail "the spin edit's page does not name its header as <KavoControls/KavoSpin.h>"

# Assistant registers a file only into a collection that exists: Qt's tools make an empty one.
if [ -n "$assistant" ]; then
  echo '<QHelpCollectionProject version="1.0"/>' >"$root/collection.qhcp"
  "$qhelpgenerator" "$root/collection.qhcp" -o "$root/collection.qhc" >"$root/collection.log" 2>&1 \
    || { cat "$root/collection.log"; fail "qhelpgenerator makes no collection"; }
  HOME="$root/home" XDG_DATA_HOME="$root/home/share" QT_QPA_PLATFORM=offscreen \
    "$assistant" -collectionFile "$root/collection.qhc" -register "$qch" >"$root/assistant.log" 2>&1 \
    || { cat "$root/assistant.log"; fail "Qt Assistant does not register $qch"; }
else
  echo "Qt Assistant not present: the Qt Help file was not registered"
fi
# The identifiers Qt Creator looks up when F1 is pressed on a name in the editor.
python3 - "$qch" <<'CHECK' || fail "Qt Creator's context help would not find the classes and members"
import sqlite3, sys
help = sqlite3.connect(sys.argv[1])
for identifier in ("TkavoSpinEdit", "TkavoSpinEdit::setValue", "toolkit::TColor", "kvcalc::Add"):
    if not help.execute("select 1 from IndexTable where Identifier = ?", (identifier,)).fetchone():
        print(f"no keyword {identifier}")
        sys.exit(1)
CHECK

DESTDIR="$root/dest" "$cmake" --install "$build" --prefix /usr/local --component doc >"$root/install.log" 2>&1 \
  || { cat "$root/install.log"; fail "cmake --install --component doc"; }
docdir="$root/dest/usr/local/share/doc/libkavocontrols-doc"
for f in html/index.html html/classTkavoBitBtn.html KavoControls.qch copyright changelog.gz; do
  [ -f "$docdir/$f" ] || fail "missing share/doc/libkavocontrols-doc/$f"
done
[ -e "$docdir/html/index.qhp" ] && fail "the Qt Help project is installed with the pages"

# Packing and checking take some 30 seconds, most of it lintian's own start.
if command -v lintian >/dev/null; then
  cpack=$(dirname "$cmake")/cpack
  [ -x "$cpack" ] || cpack=cpack
  (cd "$build" && "$cpack" -B "$root/package" -D CPACK_COMPONENTS_ALL=doc >"$root/cpack.log" 2>&1) \
    || { cat "$root/cpack.log"; fail "cpack"; }
  deb=$(ls "$root"/package/libkavocontrols-doc_*_all.deb 2>/dev/null | head -n 1)
  if [ -z "$deb" ]; then
    fail "no package libkavocontrols-doc for all architectures: $(ls "$root/package")"
  else
    [ "$(dpkg-deb -f "$deb" Section)" = doc ] || fail "libkavocontrols-doc: section [$(dpkg-deb -f "$deb" Section)]"
    dpkg-deb -c "$deb" | grep ' \./usr/share/doc/libkavocontrols-doc/KavoControls\.qch$' >/dev/null \
      || fail "the package has no /usr/share/doc/libkavocontrols-doc/KavoControls.qch"
    lintian_clean "$root/lintian.log" "$deb"
  fi
else
  echo "lintian not present: the package was not checked"
fi

[ "$failures" -eq 0 ] && echo "docs: all checks passed"
exit "$failures"
