// The one source of the targets that build the shared precompiled headers.
