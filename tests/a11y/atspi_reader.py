# SPDX-License-Identifier: MIT
# Reads the running game over AT-SPI: the board as a table of its size, a cell's name after a
# new game, a cell taken through its action, the score labels with their headings, a hint and
# a take-back.
# Started by tst_atspi.sh inside a private D-Bus session; starts and ends the game itself.
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The action names' getter is the one every libatspi of Debian 12 has, deprecated or not.
warnings.simplefilter("ignore", DeprecationWarning)

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def wait_for(find, what, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.3)
    raise SystemExit("FAIL: " + what)


def settled(read, expected, seconds=10):
    """What read() gives once it gives expected, or its last answer when that never comes."""
    end = time.time() + seconds
    value = read()
    while value != expected and time.time() < end:
        time.sleep(0.1)
        value = read()
    return value


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            return app
    return None


def find(app, role, name_prefix=""):
    for node in walk(app):
        if node.get_role() == role and (node.get_name() or "").startswith(name_prefix):
            return node
    return None


def hinted_cell(table):
    for row in range(table.get_n_rows()):
        for col in range(table.get_n_columns()):
            cell = table.get_accessible_at(row, col)
            if (cell.get_name() or "").endswith(", подсказка"):
                return cell
    return None


def main():
    game = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL)
    try:
        app = wait_for(lambda: application("numbrax"), "the game did not appear on the accessibility bus")
        table = wait_for(lambda: find(app, Atspi.Role.TABLE), "no table in the game's tree")
        check(table.get_name() == "Игровое поле", "the board is a table named 'Игровое поле'")
        rows, cols = table.get_n_rows(), table.get_n_columns()
        check((rows, cols) == (10, 10), "the table is 10 x 10 (%d x %d)" % (rows, cols))
        check(table.get_accessible_at(0, 0).get_name() == "пусто", "a cell before any game is 'пусто'")

        # F2 on the window: a new game.
        window = subprocess.run(["xdotool", "search", "--sync", "--name", r"^Numbrax \(Korvessa\)$"],
                                capture_output=True, text=True, timeout=20).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], timeout=20)
        time.sleep(0.5)
        subprocess.run(["xdotool", "key", "F2"], timeout=20)
        cell = table.get_accessible_at(2, 3)
        name = wait_for(lambda: cell.get_name() if cell.get_name() != "пусто" else None,
                        "no number in the cell after a new game", 10)
        check(name.isdigit() and 1 <= int(name) <= 9, "a cell after a new game reads a number (%s)" % name)

        you = find(app, Atspi.Role.LABEL, "Вы: ")
        comp = find(app, Atspi.Role.LABEL, "Компьютер: ")
        check(you is not None and you.get_name() == "Вы: 0", "the player's score reads 'Вы: 0'")
        check(comp is not None and comp.get_name() == "Компьютер: 0", "the computer's score reads 'Компьютер: 0'")

        # Taking the cell through its action scores its number.
        actions = [cell.get_action_name(i) for i in range(cell.get_n_actions())]
        check([a.lower() for a in actions] == ["press"], "a cell offers 'press' (%s)" % actions)
        if actions:
            cell.do_action(0)
            wait_for(lambda: cell.get_name() == "занято", "the pressed cell was not taken", 10)
            # The label's new name reaches the reader by its own event, which may come after the
            # cell's.
            score = settled(you.get_name, "Вы: " + name)
            check(score == "Вы: " + name, "the player's score reads 'Вы: %s' (%s)" % (name, score))
            last = find(app, Atspi.Role.LABEL, "Последний ход компьютера: ")
            check(last is not None, "the computer's last pick reads with its heading")

            # H: the hinted cell becomes the focused one and reads with the hint's word.
            subprocess.run(["xdotool", "key", "h"], timeout=20)
            hinted = wait_for(lambda: hinted_cell(table), "no cell reads as the hint", 60)
            check(hinted.get_state_set().contains(Atspi.StateType.FOCUSED),
                  "the hinted cell is the focused one (%s)" % hinted.get_name())

            # Ctrl+Z: the pick is taken back; the cell reads its number again, the score 0, and
            # the hint is gone.
            subprocess.run(["xdotool", "key", "ctrl+z"], timeout=20)
            back = settled(cell.get_name, name)
            check(back == name, "the cell taken back reads its number '%s' (%s)" % (name, back))
            score = settled(you.get_name, "Вы: 0")
            check(score == "Вы: 0", "the player's score reads 'Вы: 0' after the take-back (%s)" % score)
            check(hinted_cell(table) is None, "no cell reads as the hint after the take-back")
    finally:
        game.terminate()
        try:
            game.wait(10)
        except subprocess.TimeoutExpired:
            game.kill()
    if failures:
        raise SystemExit("%d check(s) failed" % len(failures))
    print("a11y: all checks passed")


main()
