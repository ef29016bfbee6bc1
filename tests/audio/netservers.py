#!/usr/bin/python3
"""Loopback servers for the URL stream tests.

Usage: netservers.py FILE DIR
Serves FILE over HTTP in several ways and DIR over anonymous FTP, then prints
"HTTP <port>" and "FTP <port>" and runs until killed.

HTTP paths:
  /file.mp3      the file with Content-Length
  /nolength.mp3  the file without Content-Length, closed at the end
  /icy           "ICY 200 OK" with icy-metaint 4096 and a metadata block after every 4096 audio bytes
  /stall         half the file, then nothing until the client gives up
  /drop          a third of the file, then the connection is cut
  /late          the headers, then the file a second and a half later
  /endless       the file over and over, as fast as the client takes it
  /notaudio      text instead of audio
  /tofile        a redirect to FILE as a file:// address
  /redirect-icy  a redirect that carries icy-metaint, to /file.mp3
  /redirect-to-icy  a plain redirect to /icy
  /icy-titles    as /icy, with the song titles of TITLES at their intervals
  /icy-longname  as /icy, from a station whose name is 5000 bytes long
"""
import socket
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

DATA = open(sys.argv[1], "rb").read()
META_INTERVAL = 4096
# Interval → the StreamTitle after it: a plain title, an empty one (which
# changes nothing), one in UTF-8, one in Latin-1, and a hostile one full of
# control characters and far longer than any display.
TITLES = {
    0: b"Primo brano",
    3: b"",
    6: "Città più bella – ŝ".encode("utf-8"),
    12: "Caffè Ñandú".encode("latin-1"),
    18: b"\x01\x07Evil\x1b[2J\r\n\xe2\x80\xae" + b"A" * 4000,
}


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def redirect(self, location, extra=()):
        self.send_response(302)
        self.send_header("Location", location)
        for name, value in extra:
            self.send_header(name, value)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def do_GET(self):
        try:
            if self.path == "/file.mp3":
                self.send_response(200)
                self.send_header("Content-Type", "audio/mpeg")
                self.send_header("Content-Length", str(len(DATA)))
                self.end_headers()
                self.wfile.write(DATA)
            elif self.path == "/nolength.mp3":
                self.send_response(200)
                self.send_header("Content-Type", "audio/mpeg")
                self.end_headers()
                self.wfile.write(DATA)
            elif self.path in ("/icy", "/icy-titles", "/icy-longname"):
                name = b"N" * 5000 if self.path == "/icy-longname" else b"Velmoro test"
                self.wfile.write(b"ICY 200 OK\r\nicy-name: %s\r\n"
                                 b"icy-metaint: %d\r\ncontent-type: audio/mpeg\r\n\r\n" % (name, META_INTERVAL))
                for n, start in enumerate(range(0, len(DATA), META_INTERVAL)):
                    chunk = DATA[start:start + META_INTERVAL]
                    self.wfile.write(chunk)
                    if len(chunk) < META_INTERVAL:
                        break  # metadata follows whole intervals only
                    if self.path == "/icy":
                        text = b"StreamTitle='Song %d';" % n if n % 2 == 0 else b""
                    else:
                        text = b"StreamTitle='%s';StreamUrl='';" % TITLES[n] if n in TITLES else b""
                    blocks = (len(text) + 15) // 16
                    self.wfile.write(bytes([blocks]) + text.ljust(blocks * 16, b"\0"))
            elif self.path == "/stall":
                self.send_response(200)
                self.send_header("Content-Length", str(len(DATA)))
                self.end_headers()
                self.wfile.write(DATA[: len(DATA) // 2])
                self.wfile.flush()
                time.sleep(3600)
            elif self.path == "/drop":
                self.send_response(200)
                self.send_header("Content-Length", str(len(DATA)))
                self.end_headers()
                self.wfile.write(DATA[: len(DATA) // 3])
                self.wfile.flush()
                self.connection.shutdown(socket.SHUT_RDWR)
                self.connection.close()
            elif self.path == "/late":
                self.send_response(200)
                self.send_header("Content-Type", "audio/mpeg")
                self.end_headers()
                self.wfile.flush()
                time.sleep(1.5)
                self.wfile.write(DATA)
            elif self.path == "/endless":
                self.send_response(200)
                self.send_header("Content-Type", "audio/mpeg")
                self.end_headers()
                while True:
                    self.wfile.write(DATA)
            elif self.path == "/notaudio":
                self.send_response(200)
                self.send_header("Content-Type", "text/plain")
                self.end_headers()
                self.wfile.write(b"Nothing to hear here.\n" * 12000)
            elif self.path == "/tofile":
                self.redirect("file://" + sys.argv[1])
            elif self.path == "/redirect-icy":
                self.redirect("/file.mp3", [("icy-metaint", str(META_INTERVAL))])
            elif self.path == "/redirect-to-icy":
                self.redirect("/icy")
            else:
                self.send_error(404)
        except (BrokenPipeError, ConnectionResetError, OSError):
            pass


def main():
    http = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    http.daemon_threads = True
    threading.Thread(target=http.serve_forever, daemon=True).start()

    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    import logging
    logging.disable(logging.CRITICAL)
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(sys.argv[2])
    FTPHandler.authorizer = authorizer
    ftp = FTPServer(("127.0.0.1", 0), FTPHandler)

    print("HTTP %d" % http.server_address[1])
    print("FTP %d" % ftp.address[1], flush=True)
    ftp.serve_forever()


main()
