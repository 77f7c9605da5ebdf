"""An SMTP server on loopback for the mail tests (Debian's python3-aiosmtpd).

Usage: smtp_test_server.py <folder> <user> <password>

Listens on a free port of 127.0.0.1 and prints "PORT <n>" once it accepts
connections. AUTH LOGIN (and PLAIN) is offered without TLS and required; only
<user>/<password> pass. Every authentication attempt is appended to
<folder>/auth.log as "OK <login>" or "FAIL <login>". Every accepted message is
saved as <folder>/<n>.eml (the raw data) and <folder>/<n>.json: the envelope,
the headers and parts as Python's mail parser decodes them, and the defects
the parser found. Files appear complete (written, then renamed).
"""

import asyncio
import base64
import json
import os
import socket
import sys
from email import policy
from email.parser import BytesParser

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

folder, user, password = sys.argv[1], sys.argv[2].encode(), sys.argv[3].encode()
counter = 0


def write_atomic(name, data):
    temporary = os.path.join(folder, "." + name + ".tmp")
    with open(temporary, "wb") as stream:
        stream.write(data)
    os.replace(temporary, os.path.join(folder, name))


def authenticator(server, session, envelope, mechanism, auth_data):
    ok = isinstance(auth_data, LoginPassword) and auth_data.login == user and auth_data.password == password
    login = auth_data.login.decode("utf-8", "replace") if isinstance(auth_data, LoginPassword) else "?"
    with open(os.path.join(folder, "auth.log"), "a", encoding="utf-8") as log:
        log.write(("OK " if ok else "FAIL ") + mechanism + " " + login + "\n")
    # Not handled: aiosmtpd itself answers a failure with 535.
    return AuthResult(success=ok, handled=False)


def describe(data):
    message = BytesParser(policy=policy.default).parsebytes(data)
    defects = [type(d).__name__ for part in message.walk() for d in part.defects]
    sender = message["From"].addresses[0] if message["From"] and message["From"].addresses else None
    body = message.get_body(preferencelist=("plain", "html"))
    attachments = []
    for part in message.iter_attachments():
        attachments.append({
            "filename": part.get_filename(),
            "content_type": part.get_content_type(),
            "data": base64.b64encode(part.get_payload(decode=True) or b"").decode(),
        })
    return {
        "from_name": sender.display_name if sender else "",
        "from_address": sender.addr_spec if sender else "",
        "to": [a.addr_spec for a in message["To"].addresses] if message["To"] else [],
        "subject": str(message["Subject"] or ""),
        "date": str(message["Date"] or ""),
        "message_id": str(message["Message-ID"] or ""),
        "content_type": message.get_content_type(),
        "body_type": body.get_content_type() if body else "",
        "body": body.get_content() if body else "",
        "attachments": attachments,
        "defects": defects,
    }


class Handler:
    async def handle_DATA(self, server, session, envelope):
        global counter
        counter += 1
        data = envelope.original_content or envelope.content
        record = {"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos}
        try:
            record.update(describe(data))
        except Exception as error:  # the test sees what the parser could not read
            record["parse_error"] = repr(error)
        name = "%04d" % counter
        write_atomic(name + ".eml", data)
        write_atomic(name + ".json", json.dumps(record, ensure_ascii=False).encode("utf-8"))
        return "250 Message accepted"


def main():
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen()
    handler = Handler()

    def session():
        return SMTP(handler, authenticator=authenticator, auth_required=True, auth_require_tls=False,
                    hostname="mail.test", loop=loop)

    loop.run_until_complete(loop.create_server(session, sock=listener))
    print("PORT %d" % listener.getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    main()
