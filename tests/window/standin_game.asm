; A stand-in for a game's program in the test-play window test: a DOS
; program (flat, run as a .COM file whatever its name) that reads the level
; of slot 1, LEVEL01.CK1, and writes what it read to PLAYED.CK1 beside it,
; then ends, so that DOSBox ends too. Assembled by nasm at build time.
        org     100h

        mov     dx, level
        mov     ax, 3D00h               ; open for reading
        int     21h
        jc      failed
        mov     [input], ax
        mov     dx, played
        xor     cx, cx
        mov     ah, 3Ch                 ; create
        int     21h
        jc      failed
        mov     [output], ax
copy:
        mov     bx, [input]
        mov     cx, 4096
        mov     dx, buffer
        mov     ah, 3Fh                 ; read
        int     21h
        jc      failed
        test    ax, ax
        jz      done
        mov     cx, ax
        mov     bx, [output]
        mov     dx, buffer
        mov     ah, 40h                 ; write
        int     21h
        jc      failed
        jmp     copy
done:
        mov     bx, [output]
        mov     ah, 3Eh                 ; close
        int     21h
        mov     bx, [input]
        mov     ah, 3Eh
        int     21h
        mov     ax, 4C00h               ; end with status 0
        int     21h
failed:
        mov     ax, 4C01h
        int     21h

level   db      'LEVEL01.CK1', 0
played  db      'PLAYED.CK1', 0
input   dw      0
output  dw      0
buffer:
