"""An FTP server on loopback for the download tests (Debian's python3-pyftpdlib).

Usage: ftp_test_server.py <root folder> <user> <password> <command log>

Serves <root folder> read-only to <user>/<password> on a free port of
127.0.0.1, passive mode only, and prints "PORT <n>" once it accepts
connections. Every command a client sends is appended to <command log> as
"<COMMAND> <argument>" (the password as "PASS ***"), so a test can see what
was asked for. A folder named "garbage" answers LIST with a line that is no
listing, as a broken server would.
"""

import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password, log_file = sys.argv[1:5]


class TestFS(AbstractedFS):
    def format_list(self, basedir, listing, ignore_err=True):
        if os.path.basename(os.path.normpath(basedir)) == "garbage":
            yield b"this is not a listing line\r\n"
            return
        yield from super().format_list(basedir, listing, ignore_err)


class LoggingHandler(FTPHandler):
    def pre_process_command(self, line, cmd, arg):
        with open(log_file, "a", encoding="utf-8") as log:
            log.write(("PASS ***" if cmd == "PASS" else (cmd + " " + (arg or "")).strip()) + "\n")
        return super().pre_process_command(line, cmd, arg)


def main():
    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elr")
    handler = LoggingHandler
    handler.authorizer = authorizer
    handler.abstracted_fs = TestFS
    # Passive mode only: the client opens the data connections.
    handler.proto_cmds = {k: v for k, v in FTPHandler.proto_cmds.items() if k not in ("PORT", "EPRT")}
    handler.masquerade_address = None
    server = FTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
