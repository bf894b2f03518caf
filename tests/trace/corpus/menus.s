; Menus and dialogue: entries pair a caption with the routine that runs it
; (reached by RTS), text in the game's own characters with dictionary words
; for codes 80-FF, screens packed as runs, and tables right after returns.
.segment "HEADER"
  .byte "NES", $1A, 2, 0, $01, $00, 0,0,0,0,0,0,0,0

.segment "ZEROPAGE"
text:     .res 2
word:     .res 2
src:      .res 2
choice:   .res 1
frame:    .res 1
pad:      .res 1
save_y:   .res 1

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
  ldx #0
  jsr unpack_screen
  jsr show_menu
  lda #$80
  sta $2000
main:
  lda frame
: cmp frame
  beq :-
  jsr read_pad
  lda pad
  and #$10
  beq main
  jsr run_choice
  jmp main

; Reads the controller into pad.
read_pad:
  lda #1
  sta $4016
  lsr a
  sta $4016
  ldx #8
: lda $4016
  lsr a
  rol pad
  dex
  bne :-
  rts
; How far the cursor moves on each button, right after the return.
cursor_step:
  .byte $00, $01, $FF, $20, $E0, $60, $4C, $20

; Prints each menu entry's caption.
show_menu:
  ldx #0
@entry:
  lda menu_entries,x
  sta text
  lda menu_entries+1,x
  sta text+1
  txa
  pha
  jsr print_text
  pla
  clc
  adc #4
  tax
  cpx #menu_end - menu_entries
  bne @entry
  rts

; Runs the chosen entry's routine: its address less one is pushed.
run_choice:
  lda choice
  asl a
  asl a
  tax
  lda menu_entries+3,x
  pha
  lda menu_entries+2,x
  pha
  rts

; Prints text: 00-7F are characters, 80-FE dictionary words, FF the end.
print_text:
  ldy #0
@next:
  lda (text),y
  cmp #$FF
  beq @done
  iny
  cmp #$80
  bcs @word
  sta $2007
  bne @next
@word:
  sty save_y
  and #$7F
  tax
  lda dict_lo,x
  sta word
  lda dict_hi,x
  sta word+1
  ldy #0
: lda (word),y
  beq :+
  sta $2007
  iny
  bne :-
: ldy save_y
  jmp @next
@done:
  rts

do_start:
  lda #1
  sta choice
  rts
do_load:
  lda #2
  sta choice
  rts
do_options:
  inc choice
  rts

; Unpacks screen X: pairs of count and tile up to a zero count.
unpack_screen:
  lda screens_lo,x
  sta src
  lda screens_hi,x
  sta src+1
  lda #$20
  sta $2006
  lda #0
  sta $2006
  ldy #0
@run:
  lda (src),y
  beq @done
  tax
  iny
  lda (src),y
  iny
: sta $2007
  dex
  bne :-
  beq @run
@done:
  rts
screens_lo: .byte <screen0, <screen1
screens_hi: .byte >screen0, >screen1

nmi:
  inc frame
irq:
  rti

menu_entries:
  .word cap_start, do_start-1
  .word cap_load, do_load-1
  .word cap_options, do_options-1
menu_end:
; Captions: 0A-23 letters, 80 up dictionary words.
cap_start:   .byte $1C, $1D, $0A, $1B, $1D, $80, $FF
cap_load:    .byte $15, $18, $0A, $0D, $81, $82, $FF
cap_options: .byte $83, $A9, $8D, $20, $4C, $60, $FF

.segment "RODATA"
dict_lo:
  .repeat 8, I
  .byte <(dict + I * 8)
  .endrepeat
dict_hi:
  .repeat 8, I
  .byte >(dict + I * 8)
  .endrepeat
dict:
  .byte $10, $0A, $16, $0E, $00, $20, $4C, $60
  .byte $0F, $12, $15, $0E, $00, $6C, $00, $80
  .byte $20, $00, $80, $4C, $00, $C0, $60, $00
  .byte $A9, $00, $8D, $00, $20, $60, $EA, $00
  .byte $A2, $00, $BD, $00, $80, $9D, $00, $00
  .byte $20, $30, $40, $50, $60, $70, $00, $00
  .byte $8A, $48, $98, $48, $68, $A8, $68, $00
  .byte $4C, $00, $80, $00, $4C, $03, $80, $00
screen0:
  .repeat 60, I
  .byte 1 + (I & 15), $20 + I
  .endrepeat
  .byte 0
screen1:
  .byte $20, $4C, $60, $20, $6C, $20, $A9, $8D, $85, $60
  .repeat 40, I
  .byte $20, <(print_text + I), >(print_text + I), $60
  .endrepeat
  .byte 0
; Tiles kept here and copied to the pattern tables.
font:
  .repeat 96, I
  .byte $7C, $C6, $C6, $FE, $C6, $C6, $C6, $00, $20 + I, $4C, $60, $6C, $A9, I, $8D, $60
  .endrepeat

.segment "VECTORS"
  .word nmi, reset, irq
