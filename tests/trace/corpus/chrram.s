; Odds and ends of a CHR-RAM game: tiles kept in PRG and copied to the
; PPU, tables read one byte off their start, an inline list of addresses
; led by its count, a jump the program keeps in RAM and patches, and a
; return from interrupt used as a jump.

.segment "HEADER"
  .byte "NES", $1A, 2, 0, $00, $00     ; no CHR ROM: CHR RAM
  .res 8, 0

.segment "ZEROPAGE"
ptr:     .res 2
src:     .res 2
count:   .res 1
level:   .res 1
frame:   .res 1
ret:     .res 2
tmp:     .res 1

.segment "BSS"
ram_jump: .res 3          ; jmp $xxxx, patched
buffer:   .res 16

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
: bit $2002
  bpl :-
: bit $2002
  bpl :-
  lda #$4C                 ; jmp
  sta ram_jump
  jsr load_tiles
  jsr draw_list
  .byte 3
  .addr title_row, status_row, footer_row
  lda #0
  sta level
@loop:
  jsr wait_nmi
  ldx level
  jsr pick_level
  jsr ram_jump             ; to the level's routine
  inc level
  lda level
  cmp #4
  bcc @loop
  lda #0
  sta level
  beq @loop

wait_nmi:
  lda frame
: cmp frame
  beq :-
  rts

; Copies the tiles to CHR RAM.
load_tiles:
  lda #<tiles
  sta src
  lda #>tiles
  sta src+1
  lda #0
  sta $2006
  sta $2006
  ldx #2                   ; pages
  ldy #0
@copy:
  lda (src),y
  sta $2007
  iny
  bne @copy
  inc src+1
  dex
  bne @copy
  rts

; The call is followed by a count, then that many addresses of rows to
; draw; returns past them.
draw_list:
  pla
  sta ret
  pla
  sta ret+1
  ldy #1
  lda (ret),y
  sta count
@row:
  iny
  lda (ret),y
  sta ptr
  iny
  lda (ret),y
  sta ptr+1
  tya
  pha
  jsr draw_row
  pla
  tay
  dec count
  bne @row
  tya                      ; Y: the last byte of the list
  clc
  adc ret
  sta ret
  bcc :+
  inc ret+1
: lda ret+1
  pha
  lda ret
  pha
  rts

; A row: the PPU address, then tiles up to FF.
draw_row:
  ldy #0
  lda (ptr),y
  sta $2006
  iny
  lda (ptr),y
  sta $2006
@tile:
  iny
  lda (ptr),y
  cmp #$FF
  beq @done
  sta $2007
  bne @tile
@done:
  rts

; X = level: patches the jump in RAM with its routine (levels count from 1
; in the tables).
pick_level:
  inx
  lda level_lo-1,x
  sta ram_jump+1
  lda level_hi-1,x
  sta ram_jump+2
  rts

level_lo: .byte <level_sky, <level_sea, <level_cave, <level_end
level_hi: .byte >level_sky, >level_sea, >level_cave, >level_end

level_sky:
  lda #$21
  sta tmp
  rts
level_sea:
  lda #$11
  sta tmp
  ldy #3
  lda speeds+1,y            ; speeds are read from their second byte on
  sta ptr
  rts
level_cave:
  lda #$0F
  sta tmp
  ; leave through an interrupt return: flags, then the address
  lda #>cave_done
  pha
  lda #<cave_done
  pha
  php
  rti
speeds: .byte $A9, $20, $8D, $00, $20, $60   ; the first is never read
cave_done:
  rts
level_end:
  ldx #0
@copy:
  lda end_text-1+1,x
  sta buffer,x
  inx
  cpx #8
  bne @copy
  rts

end_text: .byte $4C, $A9, $00, $85, $10, $60, $20, $00

  .segment "FIXED"
nmi:
  inc frame
  rti
irq:
  rti

.segment "RODATA"
title_row:  .byte $20, $84, 1, 2, 3, 4, 5, $FF
status_row: .byte $23, $42, 6, 7, 8, $FF
footer_row: .byte $23, $A2, 9, 9, 9, 9, $FF
tiles:
  .repeat 512, i
    .byte ((i * 73) ^ (i >> 3)) & $FF
  .endrepeat

.segment "VECTORS"
  .addr nmi, reset, irq
