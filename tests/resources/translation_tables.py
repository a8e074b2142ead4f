#!/usr/bin/python3
"""Checks every translation table the bundle ships, entry by entry, against
its key: no entry unfinished or empty, the same placeholders (%1, %2, %@...),
the same keyboard mnemonic where the key has one, the same spaces at either
end, a sentence for a sentence; and a German entry differs from its key,
unless the words are the same in German. Prints each entry that breaks a
rule; exit status 1 if any does.

    translation_tables.py TABLE.ts...
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

# Keys the code completes itself: their entries may place what it adds.
COMPLETED_BY_THE_CODE = {"Need restart": ["%1"]}
# Names, shortcuts and words German shares.
SAME_IN_GERMAN = {"Trayskin", "Menu Extras", "OK", "Name: ", "Ctrl+Q", "Ctrl+R", "Ctrl+U", "F1",
                  "Bluetooth", "Thunderbolt"}


def placeholders(text):
    return sorted(re.findall(r"%(?:L?\d+|@|n)", text))


def mnemonics(text):
    return len(re.findall(r"&[^&]", text.replace("&&", "")))


def faults(key, entry, german):
    if entry.get("type") or not entry.text:
        return "unfinished or empty"
    text = entry.text
    if placeholders(text) != sorted(placeholders(key) + COMPLETED_BY_THE_CODE.get(key, [])):
        return "placeholders differ"
    if mnemonics(key) and mnemonics(text) != mnemonics(key):
        return "mnemonic lost"
    if (key[:1].isspace(), key[-1:].isspace()) != (text[:1].isspace(), text[-1:].isspace()):
        return "spaces at the ends differ"
    if key.endswith(".") and not text.endswith("."):
        return "the sentence lost its full stop"
    if german and text == key and key not in SAME_IN_GERMAN:
        return "not translated"
    return None


def main(tables):
    failed = 0
    for table in tables:
        root = ElementTree.parse(table).getroot()
        german = root.get("language", "").startswith("de")
        checked = 0
        for message in root.iter("message"):
            key = message.findtext("source")
            fault = faults(key, message.find("translation"), german)
            checked += 1
            if fault:
                failed += 1
                print("%s: %r: %s" % (table, key, fault))
        if checked < 100:
            failed += 1
            print("%s: only %d entries" % (table, checked))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]) if len(sys.argv) > 1 else 2)
