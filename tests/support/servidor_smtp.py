# An SMTP server on the loopback for the e-mail tests: AUTH with one known login, every message
# kept as <n>.eml with its envelope in <n>.json, every connection counted in "conexoes", and
# every AUTH and STARTTLS command written to "comandos" as it arrives. A recipient starting
# with "recusa" is refused at RCPT, a message holding "REJEITA" at DATA. The fourth argument
# is the transport: "nenhum" (plain, AUTH offered in clear), "starttls" (STARTTLS offered and
# required before anything else) or "implicito" (TLS from the connection's start); the TLS
# ones use cert.pem and key.pem of the folder. Prints its port, then serves until killed.
import functools, json, logging, os, socket, ssl, sys, time
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

pasta, usuario, senha = sys.argv[1], sys.argv[2].encode(), sys.argv[3].encode()
transporte = sys.argv[4] if len(sys.argv) > 4 else 'nenhum'
contando = False
# aiosmtpd's own notices (a deprecated field it sets itself on every login) stay out of the
# tests' output.
logging.getLogger('mail.log').setLevel(logging.ERROR)


def anota(arquivo, texto):
    with open(os.path.join(pasta, arquivo), 'a') as f:
        f.write(texto)


class Guarda:
    async def handle_EHLO(self, server, session, envelope, hostname, responses):
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


class Registra(SMTP):
    # A connection is counted once, not again when STARTTLS makes it anew; the controller's own
    # check at start is not counted.
    def connection_made(self, transport):
        if self.transport is None and contando:
            anota('conexoes', 'x')
        super().connection_made(transport)

    @functools.wraps(SMTP.smtp_AUTH)
    async def smtp_AUTH(self, arg):
        anota('comandos', 'AUTH\n')
        return await super().smtp_AUTH(arg)

    @functools.wraps(SMTP.smtp_STARTTLS)
    async def smtp_STARTTLS(self, arg):
        anota('comandos', 'STARTTLS\n')
        return await super().smtp_STARTTLS(arg)


class Servidor(Controller):
    """Serves on a socket already bound to a free port, so no other server can take the port
    between choosing and listening."""

    def __init__(self, handler, sock, **opcoes):
        self.sock = sock
        super().__init__(handler, hostname='127.0.0.1', port=sock.getsockname()[1], **opcoes)

    def _create_server(self):
        return self.loop.create_server(self._factory_invoker, sock=self.sock, ssl=self.ssl_context)

    def factory(self):
        return Registra(self.handler, **self.SMTP_kwargs)


def autentica(server, session, envelope, mechanism, auth_data):
    ok = isinstance(auth_data, LoginPassword) and auth_data.login == usuario and auth_data.password == senha
    # Not "handled": aiosmtpd then answers 535 itself (a handled failure leaves the client
    # waiting for a reply that never comes).
    return AuthResult(success=ok, handled=False)


contexto = None
if transporte != 'nenhum':
    contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    contexto.load_cert_chain(os.path.join(pasta, 'cert.pem'), os.path.join(pasta, 'key.pem'))

s = socket.socket()
s.bind(('127.0.0.1', 0))
opcoes = dict(authenticator=autentica, auth_required=True, auth_require_tls=transporte == 'starttls')
if transporte == 'starttls':
    opcoes.update(tls_context=contexto, require_starttls=True)
if transporte == 'implicito':
    opcoes.update(ssl_context=contexto)
c = Servidor(Guarda(), s, **opcoes)
c.start()
contando = True
print(s.getsockname()[1], flush=True)
while True:
    time.sleep(3600)
