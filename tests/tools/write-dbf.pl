#!/usr/bin/perl
# Writes a dBase table with Perl's XBase module from a description on standard input, so
# that the Rekolon tests can read a table that another program wrote:
#   line 1: columns, tab-separated, each NAME:TYPE:LENGTH[:DECIMALS] (TYPE C, M, N, D or L;
#   a number as text, a date as YYYYMMDD, a logical value as 1 or 0)
#   then one line per record: the values, tab-separated and escaped like read-dbf.pl's
#   output, followed by one more value, 1 when the record is to be marked deleted.
# usage: write-dbf.pl [--codepage=BYTE --encoding=NAME] table.dbf [version]
#   version 0x8B: dBase IV memo; default dBase III. --codepage sets the language driver byte
#   of the header (e.g. 0x01), --encoding the code page the text is written in (default
#   cp1252; any name that Perl's Encode knows, such as cp437, cp850, cp852, cp1250).
use strict;
use warnings;
use XBase;
use Encode qw(decode encode);

my ($codepage, $encoding) = (undef, 'cp1252');
my @args;
for my $arg (@ARGV) {
    if ($arg =~ /^--codepage=(.*)$/) { $codepage = hex($1); }
    elsif ($arg =~ /^--encoding=(.*)$/) { $encoding = $1; }
    else { push @args, $arg; }
}
my ($path, $version) = @args;
die "usage: write-dbf.pl [--codepage=BYTE --encoding=NAME] table.dbf [version]\n" unless $path;
binmode STDIN;
my @lines = map { decode('UTF-8', $_) } <STDIN>;
chomp @lines;
my @columns = map { [split /:/] } split /\t/, shift @lines;

sub unescape {
    my ($value) = @_;
    $value =~ s/\\(.)/$1 eq 't' ? "\t" : $1 eq 'r' ? "\r" : $1 eq 'n' ? "\n" : $1/ge;
    return encode($encoding, $value);
}

unlink $path;
(my $memo = $path) =~ s/\.dbf$/.dbt/;
unlink $memo;
my %options = (
    name => $path,
    field_names => [map { encode($encoding, $_->[0]) } @columns],
    field_types => [map { $_->[1] } @columns],
    field_lengths => [map { $_->[2] } @columns],
    field_decimals => [map { $_->[3] // 0 } @columns],
);
$options{version} = hex($version) if defined $version;
$options{codepage} = $codepage if defined $codepage;
my $table = XBase->create(%options) or die XBase->errstr;
my $n = 0;
for my $line (@lines) {
    my @values = map { unescape($_) } split /\t/, $line, -1;
    my $deleted = pop @values;
    $table->set_record($n, @values) or die $table->errstr;
    $table->delete_record($n) if $deleted;
    $n++;
}
$table->close;
