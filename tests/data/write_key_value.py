"""Lays out a typed key-value file as the program writes one: an optional comment header with
the version line, then one record a line, the values lined up one blank after the longest
name; CR LF line ends."""


def key_value_file(header, records, version="2.04 (Revision: 0)"):
    out = ""
    if header:
        out += f"#\r\n# {header}\r\n# Created with program version {version}\r\n#\r\n\r\n"
    width = max(len(name) for _, name, _ in records)
    for tag, name, value in records:
        out += f"({tag}) {name.ljust(width)} {value}".rstrip(" ") + ("\r\n" if value else " \r\n")
    return out
