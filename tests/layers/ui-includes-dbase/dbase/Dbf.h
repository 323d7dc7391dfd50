#pragma once

class Dbf {};
