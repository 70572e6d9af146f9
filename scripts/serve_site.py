#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves a folder of static files on the loopback address: python3 serve_site.py DIR [PORT].

Python's own file server, with connections kept open (HTTP/1.1) and room for every request
a page makes at once: the stock server queues only five connections, and a page that asks
for its twenty pictures together finds the rest refused on a busy machine. Port 0, the
default, takes a free port. The first line says where it serves.
"""
import functools
import http.server
import sys


class SiteServer(http.server.ThreadingHTTPServer):
    request_queue_size = 128
    daemon_threads = True


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):  # pylint: disable=redefined-builtin
        pass  # quiet: a line per file is noise


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.splitlines()[0])
    handler = functools.partial(SiteHandler, directory=sys.argv[1])
    port = int(sys.argv[2]) if len(sys.argv) == 3 else 0
    with SiteServer(("127.0.0.1", port), handler) as server:
        print(f"Serving HTTP on 127.0.0.1 port {server.server_address[1]}", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
