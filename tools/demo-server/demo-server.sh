#!/usr/bin/env bash
# Starts or stops an nginx that serves a folder on loopback.
#   demo-server.sh start RUNDIR ROOT PORT [--tls]
#   demo-server.sh stop RUNDIR
# PORT 0 picks a free port. With --tls a second server answers over TLS with a
# self-signed certificate (one no client trusts) on another free port. The
# ports in use are written to RUNDIR/ports as "plain tls".
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

stop() {
  local rundir=$1
  if [ -f "$rundir/nginx.pid" ]; then
    nginx -p "$rundir" -c "$rundir/nginx.conf" -s stop 2>/dev/null || kill "$(cat "$rundir/nginx.pid")" 2>/dev/null || true
    for _ in $(seq 50); do [ -f "$rundir/nginx.pid" ] || break; sleep 0.1; done
  fi
}

case "${1:-}" in
start)
  rundir=$2 root=$3 port=$4 tls=${5:-}
  mkdir -p "$rundir"
  rundir="$(cd "$rundir" && pwd)"
  stop "$rundir"
  [ "$port" = 0 ] && port=$(free_port)
  tls_port=0
  tls_server=""
  if [ "$tls" = --tls ]; then
    tls_port=$(free_port)
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=127.0.0.1" \
      -keyout "$rundir/key.pem" -out "$rundir/cert.pem" >/dev/null 2>&1
    tls_server="    server {
        listen 127.0.0.1:$tls_port ssl;
        ssl_certificate $rundir/cert.pem;
        ssl_certificate_key $rundir/key.pem;
        root $root;
        access_log $rundir/access-tls.log;
    }"
  fi
  : > "$rundir/access-plain.log"
  : > "$rundir/access-tls.log"
  chmod 666 "$rundir"/access-*.log
  python3 - "$here/nginx.conf.in" "$rundir/nginx.conf" "$rundir" "$root" "$port" "$tls_server" <<'PY'
import sys
src, out, rundir, root, port, tls = sys.argv[1:]
text = open(src).read()
for key, value in (("@RUNDIR@", rundir), ("@ROOT@", root), ("@PORT@", port), ("@TLS_SERVER@", tls)):
    text = text.replace(key, value)
open(out, "w").write(text)
PY
  nginx -p "$rundir" -c "$rundir/nginx.conf"
  echo "$port $tls_port" > "$rundir/ports"
  echo "demo-server: serving $root on 127.0.0.1:$port$([ "$tls_port" != 0 ] && echo " and TLS on $tls_port")"
  ;;
stop)
  stop "$(cd "$2" 2>/dev/null && pwd || echo "$2")"
  ;;
*)
  echo "usage: demo-server.sh start RUNDIR ROOT PORT [--tls] | stop RUNDIR" >&2
  exit 2
  ;;
esac
