# An SMTP server on the loopback for the e-mail tests: AUTH over plain text with one known
# login, every message kept as <n>.eml with its envelope in <n>.json, and every connection
# counted in "conexoes". A recipient starting with "recusa" is refused at RCPT, a message
# holding "REJEITA" at DATA. Prints its port, then serves until killed.
import asyncio, json, os, socket, sys, time
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

pasta, usuario, senha = sys.argv[1], sys.argv[2].encode(), sys.argv[3].encode()


class Guarda:
    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        with open(os.path.join(pasta, 'conexoes'), 'a') as f:
            f.write('x')
        session.host_name = hostname
        return responses

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith('recusa'):
            return '550 destinatario recusado'
        envelope.rcpt_tos.append(address)
        return '250 OK'

    async def handle_DATA(self, server, session, envelope):
        if b'REJEITA' in envelope.content:
            return '554 mensagem rejeitada'
        n = len([a for a in os.listdir(pasta) if a.endswith('.eml')])
        with open(os.path.join(pasta, '%d.json' % n), 'w') as f:
            json.dump({'from': envelope.mail_from, 'to': envelope.rcpt_tos}, f)
        with open(os.path.join(pasta, '%d.eml' % n), 'wb') as f:
            f.write(envelope.content)
        return '250 OK'


def autentica(server, session, envelope, mechanism, auth_data):
    ok = isinstance(auth_data, LoginPassword) and auth_data.login == usuario and auth_data.password == senha
    return AuthResult(success=ok)


s = socket.socket()
s.bind(('127.0.0.1', 0))
porta = s.getsockname()[1]
s.close()
c = Controller(Guarda(), hostname='127.0.0.1', port=porta, authenticator=autentica,
               auth_require_tls=False, auth_required=True)
c.start()
print(porta, flush=True)
while True:
    time.sleep(3600)
