#!/bin/sh
# The game under node as a command, for the golden check: REDDOOR_JS is build-web/node/reddoor.js.
exec node --no-experimental-fetch "${REDDOOR_JS:?REDDOOR_JS names the built reddoor.js}" "$@"
