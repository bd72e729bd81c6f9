"""An update server on 127.0.0.1 for the Live Update tests and benchmarks.

    update_server.py ftp|http ROOT FAULTS LOG

Serves the folder ROOT read only (FTP: anonymous users; HTTP: GET) on a free port, prints
"<port> <pid>" and serves until it is killed. Every request for a file or a folder listing is
appended to LOG as "RETR <path>", "LIST <path>" or "GET <path>".

FAULTS is a file read again at every request (it need not exist): one fault per line,
"<server path> <fault> [<argument>]", for example "/go-b.z drop 5000". The faults:
  drop N        the file's first N bytes, then the end of the data (the size is the whole file's)
  rate N        N bytes a second
  stall N       the first N bytes, then nothing for a minute
  status N      HTTP: the reply N with an error page (FTP: 550)
  redirect P    HTTP: 302 to the path P
  endless       the file, then bytes without end; no size is announced (FTP: SIZE answers 502)
  larger N      N bytes: the file, then filler; announced as N bytes
  extra N       the file as announced, then N bytes more (HTTP: beyond the Content-Length, on a
                connection kept open)
  final         FTP: the whole file, then no final reply ("226") and no answer to anything
"""
import http.server
import logging
import os
import sys
import threading
import time
import urllib.parse

LOG_LOCK = threading.Lock()


def log(log_file, line):
    with LOG_LOCK:
        with open(log_file, "a", encoding="utf-8") as f:
            f.write(line + "\n")


def read_faults(faults_file):
    faults = {}
    try:
        with open(faults_file, encoding="utf-8") as f:
            for line in f:
                parts = line.split()
                if len(parts) >= 2:
                    faults[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    except OSError:
        pass
    return faults


def announced_size(fault, size):
    """The size a server announces for a file of size bytes under a fault; None: no size."""
    kind, argument = fault if fault else ("", "")
    if kind == "endless":
        return None
    if kind == "larger":
        return int(argument)
    return size


class FaultyReader:
    """A file's bytes as a fault lets them through."""

    def __init__(self, f, fault):
        self.f = f
        self.kind, argument = fault if fault else ("", "")
        self.number = int(argument) if argument.isdigit() else 0
        self.sent = 0
        self.filler = 0  # bytes sent after the end of the file
        self.closed = False
        self.name = getattr(f, "name", "")

    def read(self, size=-1):
        if size is None or size < 0:
            size = 65536
        if self.kind in ("drop", "stall"):
            if self.sent >= self.number:
                if self.kind == "stall":
                    time.sleep(60)
                return b""
            size = min(size, self.number - self.sent)
        elif self.kind == "rate" and self.number > 0:
            size = min(size, max(1, self.number // 8))
            time.sleep(size / self.number)
        data = self.f.read(size) if self.filler == 0 else b""
        if not data:
            data = self.fill(size)
        self.sent += len(data)
        return data

    def fill(self, size):
        """What follows the end of the file."""
        if self.kind == "endless":
            more = size
        elif self.kind == "larger":
            more = min(size, self.number - self.sent)
        elif self.kind == "extra":
            more = min(size, self.number - self.filler)
        else:
            more = 0
        self.filler += max(0, more)
        return b"x" * max(0, more)

    def close(self):
        self.closed = True
        self.f.close()


def serve_ftp(root, faults_file, log_file):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.filesystems import AbstractedFS
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import ThreadedFTPServer

    class FaultyFS(AbstractedFS):
        def open(self, filename, mode):
            path = self.fs2ftp(filename)
            log(log_file, "RETR " + path)
            fault = read_faults(faults_file).get(path)
            if fault and fault[0] == "status":
                raise OSError(2, "No such file")
            if fault and fault[0] == "final":
                self.cmd_channel.mute_final_reply = True
            f = super().open(filename, mode)
            return FaultyReader(f, fault) if fault else f

        def announced(self, path):
            """The size SIZE answers for the file path; None: SIZE is not answered."""
            fault = read_faults(faults_file).get(self.fs2ftp(path))
            return announced_size(fault, super().getsize(path))

        def getsize(self, path):
            return self.announced(path)

        def listdir(self, path):
            log(log_file, "LIST " + self.fs2ftp(path))
            return super().listdir(path)

    class FaultyHandler(FTPHandler):
        mute_final_reply = False  # the fault "final": the next "226" is never sent
        deaf = False  # answers nothing any more

        def respond(self, resp, *args, **kwargs):
            if self.deaf:
                return
            if self.mute_final_reply and resp.startswith("226"):
                self.deaf = True
                return
            super().respond(resp, *args, **kwargs)

        def process_command(self, cmd, *args, **kwargs):
            if not self.deaf:
                super().process_command(cmd, *args, **kwargs)

        def ftp_SIZE(self, path):
            if self.fs.isfile(path) and self.fs.announced(path) is None:
                self.respond("502 No size for this file.")
                return
            super().ftp_SIZE(path)

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root)
    handler = FaultyHandler
    handler.authorizer = authorizer
    handler.abstracted_fs = FaultyFS
    handler.use_sendfile = False
    handler.permit_foreign_addresses = True
    server = ThreadedFTPServer(("127.0.0.1", 0), handler)
    server.max_cons = 512
    print(server.address[1], os.getpid(), flush=True)
    server.serve_forever()


def serve_http(root, faults_file, log_file):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def do_GET(self):
            path = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path)
            log(log_file, "GET " + path)
            fault = read_faults(faults_file).get(path)
            if fault and fault[0] == "status":
                self.send_error(int(fault[1]))
                return
            if fault and fault[0] == "redirect":
                body = b"<html>moved</html>"
                self.send_response(302)
                self.send_header("Location", fault[1])
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
            local = os.path.normpath(os.path.join(root, path.lstrip("/")))
            if not local.startswith(os.path.abspath(root) + os.sep) or not os.path.isfile(local):
                self.send_error(404)
                return
            size = announced_size(fault, os.path.getsize(local))
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            if size is None:
                self.send_header("Connection", "close")
                self.close_connection = True
            else:
                self.send_header("Content-Length", str(size))
            self.end_headers()
            with open(local, "rb") as f:
                reader = FaultyReader(f, fault)
                try:
                    while True:
                        data = reader.read(65536)
                        if not data:
                            break
                        self.wfile.write(data)
                        self.wfile.flush()
                except (BrokenPipeError, ConnectionResetError):
                    pass
            if size is not None and reader.sent < size:
                self.close_connection = True

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print(server.server_address[1], os.getpid(), flush=True)
    server.serve_forever()


def main():
    kind, root, faults_file, log_file = sys.argv[1:5]
    root = os.path.abspath(root)
    if kind == "ftp":
        serve_ftp(root, faults_file, log_file)
    else:
        serve_http(root, faults_file, log_file)


if __name__ == "__main__":
    main()
