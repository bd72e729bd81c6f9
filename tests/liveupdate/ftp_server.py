"""An FTP server on 127.0.0.1 for the Live Update tests.

Serves the folder argv[1] to anonymous users (read only) and to the user argv[2] with the
password argv[3] (read and write), on a free port. Prints "<port> <pid>" and serves until it is
killed.
"""
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, user, password = sys.argv[1:4]
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root)
    authorizer.add_user(user, password, root, perm="elradfmw")
    handler = FTPHandler
    handler.authorizer = authorizer
    logging.basicConfig(level=logging.ERROR)
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], os.getpid(), flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
