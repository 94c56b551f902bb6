#!/usr/bin/env python3
"""The exe's application manifest (resource type RT_MANIFEST, id 1, the one
Windows reads when it creates the process) declares per-monitor v2 DPI
awareness, falling back to system awareness, so that Windows scales none of
its windows as bitmaps at 150 or 200 %.
    manifest.py path/to/halvane-client.exe
"""
import re
import struct
import sys

RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1


def sections(pe):
    pe_offset = struct.unpack_from("<I", pe, 0x3C)[0]
    if pe[pe_offset:pe_offset + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    count = struct.unpack_from("<H", pe, pe_offset + 6)[0]
    optional_size = struct.unpack_from("<H", pe, pe_offset + 20)[0]
    optional = pe_offset + 24
    magic = struct.unpack_from("<H", pe, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    rsrc_rva = struct.unpack_from("<I", pe, directories + 2 * 8)[0]
    table = optional + optional_size
    result = []
    for k in range(count):
        vsize, va, raw_size, raw = struct.unpack_from("<IIII", pe, table + 40 * k + 8)
        result.append((va, max(vsize, raw_size), raw))
    return rsrc_rva, result


def rva_to_offset(rva, secs):
    for va, size, raw in secs:
        if va <= rva < va + size:
            return rva - va + raw
    raise ValueError("RVA %#x in no section" % rva)


def entries(pe, base, directory):
    named, ids = struct.unpack_from("<HH", pe, base + directory + 12)
    for k in range(named + ids):
        name, target = struct.unpack_from("<II", pe, base + directory + 16 + 8 * k)
        yield name, target


def manifest(path):
    pe = open(path, "rb").read()
    rsrc_rva, secs = sections(pe)
    if rsrc_rva == 0:
        raise ValueError("no resources")
    base = rva_to_offset(rsrc_rva, secs)
    for type_id, type_dir in entries(pe, base, 0):
        if type_id != RT_MANIFEST or not type_dir & 0x80000000:
            continue
        for res_id, lang_dir in entries(pe, base, type_dir & 0x7FFFFFFF):
            if res_id != CREATEPROCESS_MANIFEST_RESOURCE_ID or not lang_dir & 0x80000000:
                continue
            for _lang, data_entry in entries(pe, base, lang_dir & 0x7FFFFFFF):
                data_rva, size = struct.unpack_from("<II", pe, base + data_entry)
                offset = rva_to_offset(data_rva, secs)
                return pe[offset:offset + size].decode("utf-8-sig")
    raise ValueError("no RT_MANIFEST resource with id 1")


def main():
    text = manifest(sys.argv[1])
    failures = []
    awareness = re.search(r"<dpiAwareness[^>]*>([^<]*)</dpiAwareness>", text)
    if not awareness:
        failures.append("no <dpiAwareness> element")
    elif [v.strip() for v in awareness.group(1).split(",")][0] != "PerMonitorV2":
        failures.append("dpiAwareness is \"%s\", not PerMonitorV2 first" % awareness.group(1))
    # Windows before 10 1607 read only <dpiAware>.
    aware = re.search(r"<dpiAware(?:\s[^>]*)?>([^<]*)</dpiAware>", text)
    if not aware or aware.group(1).strip().lower() not in ("true", "true/pm", "per monitor"):
        failures.append("no <dpiAware>true</dpiAware>")
    if "Microsoft.Windows.Common-Controls" not in text:
        failures.append("the common controls 6 dependency is gone (unthemed controls)")
    if failures:
        print("FAIL: " + "; ".join(failures) + "\n--- manifest:\n" + text)
        return 1
    print("PASS: per-monitor v2 DPI aware: " + awareness.group(1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
